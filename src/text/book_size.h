#pragma once

#include <string_view>

#include "text/record.h"

namespace okuzuke {

// Normalises a size (format) text such as "Ｂ６判" or "四六判変形" and stores it
// in BookSize. Always true.
bool NormalizeBookSize(TBase& book, std::string_view text);

}  // namespace okuzuke
