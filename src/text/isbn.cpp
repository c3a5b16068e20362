#include "text/isbn.h"

namespace okuzuke {

std::string IsbnWithCheckDigit(std::string_view isbn13, int /*length*/) {
  // The ISBN-10 body is the nine digits after the "978" prefix.
  constexpr std::size_t kBodyStart = 3;
  constexpr std::size_t kBodyLength = 9;
  if (isbn13.size() < kBodyStart + kBodyLength)
    throw InvalidIsbn("ISBN too short: " + std::string(isbn13));

  std::string isbn10(isbn13.substr(kBodyStart, kBodyLength));
  int sum = 0;
  int weight = 10;
  for (char c : isbn10) {
    if (c < '0' || c > '9') throw InvalidIsbn("not a digit in ISBN: " + std::string(isbn13));
    sum += (c - '0') * weight--;
  }
  int check = (11 - sum % 11) % 11;
  isbn10 += check == 10 ? 'X' : static_cast<char>('0' + check);
  return isbn10;
}

}  // namespace okuzuke
