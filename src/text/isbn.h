#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace okuzuke {

// Thrown for a code that cannot be read as an ISBN; the run skips that code.
struct InvalidIsbn : std::invalid_argument {
  using std::invalid_argument::invalid_argument;
};

// The ISBN-10 (nine digits at positions 4..12 of a 13-digit ISBN and the
// check character, "X" for 10). Throws InvalidIsbn on a non-digit there or a
// text shorter than 12 bytes. `length` does not change the result: callers
// pass 10, or 7 and 6 for two publishers' request addresses, and all of them
// get the full ten-character ISBN-10.
std::string IsbnWithCheckDigit(std::string_view isbn13, int length = 10);

}  // namespace okuzuke
