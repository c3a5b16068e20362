// Texts shared by several publishers' declarations (Shift-JIS bytes).
#pragma once

#include <string_view>

#include "publishers/frame.h"

namespace okuzuke::scraping {

// The entities pages use, in the order they are decoded.
inline constexpr Entity kAmp{"&amp;", "&"};
inline constexpr Entity kQuot{"&quot;", "\x81h"};  // "”"
inline constexpr Entity kLt{"&lt;", "<"};
inline constexpr Entity kGt{"&gt;", ">"};

inline constexpr std::string_view kAllAges = "\x91S\x94N\x97\xEE";  // 全年齢
inline constexpr std::string_view kFullWidthSpace = "\x81@";       // "　"
inline constexpr std::string_view kFullWidthSlash = "\x81^";       // ／
inline constexpr std::string_view kYen = "\x89~";                  // 円
inline constexpr std::string_view kImgSrc = "<img src=\"";
inline constexpr std::string_view kQuote = "\"";
// "内容紹介：" and a line break: the head of a description.
inline constexpr std::string_view kDescriptionHead =
    "\x93\xE0\x97\x65\x8F\xD0\x89\xEE\x81\x46\r\n";  // 内容紹介：CR LF

}  // namespace okuzuke::scraping
