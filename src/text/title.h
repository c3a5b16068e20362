// Splitting a raw title into title, volume and remarks.
#pragma once

#include <string>
#include <string_view>

#include "text/record.h"

namespace okuzuke {

// Sets Title (always) and Volume (when a designator is found and Volume is
// still empty); returns the trimmed remarks.
std::string NormalizeTitle(TBase& book, std::string_view rawTitle);

// Empty, all ASCII digits, "上"/"中"/"下", a kanji numeral or a Roman numeral.
bool IsVolumeDesignator(std::string_view text);

// The volume as the run stores it: full-width digits and letters made ASCII,
// trimmed.
std::string NormalizeVolume(std::string_view volume);

}  // namespace okuzuke
