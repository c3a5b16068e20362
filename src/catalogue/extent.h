// The catalogue's extent statement ("304p ; 20cm", "152 p. ; 22 cm.",
// "1冊 ; 17×17cm"): the page count and the book's size. UTF-8 in; the size
// comes out in Shift-JIS.
#pragma once

#include <string>
#include <string_view>

namespace okuzuke::catalogue {

// The digits of the pages ("304" of "xii, 304p ; 20cm"), or empty.
std::string_view PagesFromExtent(std::string_view extent);

// The height as the size a collection speaks of: 文庫, 新書, A5, B5, A4 or
// "NNcm"; empty when the extent gives none. Of "height × width" the height is
// the first number.
std::string BookSizeFromExtent(std::string_view extent);

}  // namespace okuzuke::catalogue
