// Character-aware counterparts of the byte-wise helpers in sjis.h, for the
// few places where a match that straddles two double-byte characters would
// corrupt text: "早春" holds the bytes of "￥" across its two kanji.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace okuzuke {

// Bytes of the character starting at byte `i` (< text.size()): 2 for a lead
// byte followed by a trail byte, else 1 (a lead byte at the very end stands alone).
std::size_t SjisCharLength(std::string_view text, std::size_t i);

// Like ReplaceAll, but `from` (non-empty, whole characters) only matches where
// a character starts. Linear in the size of the text.
std::string ReplaceAllOnCharBoundary(std::string_view text, std::string_view from,
                                     std::string_view to);

// True when the text ends with `tail` and `tail` starts on a character boundary.
bool EndsWithOnCharBoundary(std::string_view text, std::string_view tail);

}  // namespace okuzuke
