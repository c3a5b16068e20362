// The user's defaults for fields a scraper does not fill, from the settings
// file "Setting.ini" beside the host executable (section "Entry").
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

// Fills PurchaseStatus ("PurachaseSet", default "購入"), TaxFlag and TaxFlag2
// ("TaxSet", default "0") and ReadStatus ("ReadSet", default "既読") where
// they are still empty. A missing file or section gives the defaults.
void ApplyEntrySettings(TBase& book, const std::string& settingsPath);

}  // namespace okuzuke
