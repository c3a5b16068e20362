#include "common/isbn_normalizer.h"

namespace okuzuke::hosts {

namespace {

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

// EAN-13 check: weights 1 and 3 alternating, total divisible by 10.
bool ValidEan13(std::string_view code) {
  if (code.size() != 13 || !AllDigits(code)) return false;
  int sum = 0;
  for (std::size_t i = 0; i < 13; ++i) sum += (code[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return sum % 10 == 0;
}

char Ean13CheckDigit(std::string_view first12) {
  int sum = 0;
  for (std::size_t i = 0; i < 12; ++i) sum += (first12[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool ValidIsbn10(std::string_view code) {
  if (code.size() != 10 || !AllDigits(code.substr(0, 9))) return false;
  char last = code[9];
  if (!(last >= '0' && last <= '9') && last != 'X' && last != 'x') return false;
  int sum = 0;
  for (std::size_t i = 0; i < 9; ++i) sum += (code[i] - '0') * static_cast<int>(10 - i);
  sum += (last == 'X' || last == 'x') ? 10 : last - '0';
  return sum % 11 == 0;
}

}  // namespace

std::string NormalizeIsbnCode(std::string_view code) {
  std::string compact;
  for (char c : code)
    if (c != '-' && c != ' ' && c != '\t' && c != '\r' && c != '\n') compact += c;
  if (ValidEan13(compact) && (compact.rfind("978", 0) == 0 || compact.rfind("979", 0) == 0))
    return compact;
  if (ValidIsbn10(compact)) {
    std::string isbn13 = "978" + compact.substr(0, 9);
    return isbn13 + Ean13CheckDigit(isbn13);
  }
  if (compact.size() == 26 && ValidEan13(compact.substr(0, 13)) &&
      compact.compare(13, 3, "192") == 0 && ValidEan13(compact.substr(13)))
    return compact;
  return {};
}

}  // namespace okuzuke::hosts
