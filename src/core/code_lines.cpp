#include "core/code_lines.h"

#include <charconv>
#include <string>

#include "text/markup.h"
#include "text/sjis.h"

namespace okuzuke {

namespace {

// The decimal number a text holds, "0" when it holds none (leading zeros
// dropped, as a number is written).
std::string NumberOrZero(std::string_view text) {
  long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return "0";
  return std::to_string(value);
}

}  // namespace

std::string CleanTypedCode(std::string_view line) {
  if (line.find_first_of("- ") == std::string_view::npos) return std::string(line);
  std::string digits = DigitsOnlyHalfWidth(line);
  std::string_view typed = TrimRightView(line);
  if (!typed.empty() && (typed.back() == 'X' || typed.back() == 'x') && digits != line) digits += 'X';
  return digits;
}

void ApplyClassificationLine(TBase& book, std::string_view line) {
  if (line.size() != 18) return;
  book.Isbn = std::string(line.substr(0, 10));
  book.CCode = std::string(line.substr(10, 4));
  std::string_view price = line.substr(14, 4);
  if (price == "0000") {
    book.Price.clear();
  } else if (price[0] == '0') {
    book.Price = std::string(price.substr(1));
  } else {
    book.Price = std::string(price);
  }
}

void ApplyAddOnCode(TBase& book, std::string_view code) {
  if (code.size() != 26) return;
  if (book.CCode.empty()) book.CCode = std::string(code.substr(16, 4));
  // The 26th character is the add-on's check digit, not part of the price.
  if (book.Price.empty()) book.Price = NumberOrZero(code.substr(20, 5));
  book.Isbn = std::string(code.substr(0, 13));
}

}  // namespace okuzuke
