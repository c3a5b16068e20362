#pragma once

#include <string_view>

#include "text/record.h"

namespace okuzuke {

// Reads a release date ("2008年3月15日", "08.03.15", "2008/3", "20080315",
// "080315", "200803") into ReleaseYear / ReleaseMonth / ReleaseDay.
// Returns 1 when understood, 0 when not.
int ParseReleaseDate(TBase& book, std::string_view text);

}  // namespace okuzuke
