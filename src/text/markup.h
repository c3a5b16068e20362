// Small routines that every scraper uses on text cut out of a page.
#pragma once

#include <string>
#include <string_view>

namespace okuzuke {

// Removes tags, keeps comments ("<!--" ... "-->") with their markers, then
// decodes "&lt;", "&gt;" and "&nbsp;" (a blank). Linear in the text size.
std::string StripMarkup(std::string_view text);

// Full-width digits and Latin letters (lead byte 0x82) become ASCII; every
// other character is copied. Stops at the first 0 byte.
std::string FullWidthAlnumToAscii(std::string_view text);

// The part after the first `start`, cut before the first following `end`
// (when `end` is non-empty and present). Empty when `start` is absent.
std::string ExtractAfter(std::string_view text, std::string_view start, std::string_view end);

// The n-th (1-based) field of a text split at a one-byte separator; a
// separator inside a double-byte character does not split.
std::string NthField(std::string_view text, std::string_view separator, int n);

// Only the ASCII digits of the text; the text unchanged when it has none.
std::string DigitsOnlyHalfWidth(std::string_view text);

}  // namespace okuzuke
