// Character-class tests the title normaliser uses to recognise volume numbers.
#pragma once

#include <string_view>

namespace okuzuke {

bool IsAllDigits(std::string_view text);    // true for empty text
bool ContainsDigit(std::string_view text);
bool IsKanjiNumeral(std::string_view text);  // true for empty or one-byte text
bool IsRomanNumeral(std::string_view text);  // I V X i v x only; true for empty

}  // namespace okuzuke
