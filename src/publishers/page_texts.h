// Texts shared by several publishers' declarations (Shift-JIS bytes).
#pragma once

#include <string_view>

#include "scraping/entities.h"
#include "text/sjis_literal.h"

namespace okuzuke::scraping {

// The entities pages use, in the order they are decoded.
inline constexpr Entity kAmp{"&amp;", "&"};
inline constexpr Entity kQuot{"&quot;", "”"_sjis};
inline constexpr Entity kLt{"&lt;", "<"};
inline constexpr Entity kGt{"&gt;", ">"};

inline constexpr std::string_view kAllAges = "全年齢"_sjis;
inline constexpr std::string_view kFullWidthSpace = "　"_sjis;  // the ideographic space
inline constexpr std::string_view kFullWidthSlash = "／"_sjis;
inline constexpr std::string_view kYen = "円"_sjis;
inline constexpr std::string_view kImgSrc = "<img src=\"";
inline constexpr std::string_view kQuote = "\"";
// "内容紹介：" and a line break: the head of a description.
inline constexpr std::string_view kDescriptionHead = "内容紹介：\r\n"_sjis;

}  // namespace okuzuke::scraping
