// The user's settings, from the file "Setting.ini" beside the host executable
// (section "Entry"): defaults for fields a scraper does not fill, and whether
// the national library catalogue is asked for books no publisher page gives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/record.h"

namespace okuzuke {

// The value of `key` in `[section]` of an initialisation file's text, or
// nullopt when the section or key is absent. Section and key names match
// case-insensitively (ASCII); blanks around names and values are dropped and
// a value in matching quotes loses them, as Windows initialisation files do.
std::optional<std::string> IniValue(std::string_view iniText, std::string_view section,
                                    std::string_view key);

// A settings file's text as the settings are read from it: Shift-JIS lines
// ending in CR LF, whichever encoding the user saved it in; empty when it
// cannot be read. A line holding a character code page 932 lacks is left
// out, so its key takes its default, but one that opens a section still
// ends the section before it.
std::string SettingsText(const std::string& settingsPath);

// Fills PurchaseStatus ("PurachaseSet", default "購入"), TaxFlag and TaxFlag2
// ("TaxSet", default "0") and ReadStatus ("ReadSet", default "既読") where
// they are still empty. A missing file or section gives the defaults.
void ApplyEntrySettings(TBase& book, const std::string& settingsPath);

// The second source of a run. "Fallback" = "ndl" (any case) switches the
// catalogue on; "FallbackInterval" is the least time in milliseconds between
// the starts of two catalogue requests (default 1000, 0 for none; a value
// that is not a whole number gives the default, and a wait is never longer
// than kMaxFallbackIntervalMs).
struct FallbackSettings {
  bool catalogue = false;
  int intervalMs = 1000;
};
inline constexpr int kMaxFallbackIntervalMs = 60000;

FallbackSettings ReadFallbackSettings(const std::string& settingsPath);

}  // namespace okuzuke
