// Half-width folding of Shift-JIS text.
#pragma once

#include <string>
#include <string_view>

namespace okuzuke {

// Folds full-width ASCII, the ideographic space, katakana (voiced and
// semi-voiced marks split off) and 、。「」・ー゛゜ to their half-width forms,
// as Windows LCMAP_HALFWIDTH does for code page 932 under the Japanese
// locale. Our own table, so the result is the same on every platform.
std::string ToHalfWidth(std::string_view text);

}  // namespace okuzuke
