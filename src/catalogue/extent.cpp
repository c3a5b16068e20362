#include "catalogue/extent.h"

#include "text/sjis_literal.h"

namespace okuzuke::catalogue {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Where the spaces before `end` begin.
std::size_t SkipSpacesBack(std::string_view text, std::size_t end) {
  while (end > 0 && text[end - 1] == ' ') --end;
  return end;
}

// The digits ending at `end` (spaces before `end` skipped), as [start, stop);
// start == stop when there are none.
std::pair<std::size_t, std::size_t> DigitsBefore(std::string_view text, std::size_t end) {
  const std::size_t stop = SkipSpacesBack(text, end);
  std::size_t start = stop;
  while (start > 0 && IsDigit(text[start - 1])) --start;
  return {start, stop};
}

// The digits written just before `unit` ("304p", "152 p.", "22 cm"), where
// first so written; the unit is a word of its own, not the start of a longer
// one ("3 plates" has no pages).
std::pair<std::size_t, std::size_t> NumberBefore(std::string_view text, std::string_view unit) {
  for (std::size_t at = text.find(unit); at != std::string_view::npos; at = text.find(unit, at + 1)) {
    const std::size_t after = at + unit.size();
    if (after < text.size() && IsLetter(text[after])) continue;
    const auto digits = DigitsBefore(text, at);
    if (digits.first < digits.second) return digits;
  }
  return {0, 0};
}

// Of "17×17cm" or "25 x 29 cm", the first number: from `digits`, back over
// each times sign ("×", "x") with a number before it.
std::pair<std::size_t, std::size_t> FirstOfProduct(std::string_view text, std::pair<std::size_t, std::size_t> digits) {
  constexpr std::string_view kTimes = "\u00D7";
  while (true) {
    std::size_t sign = SkipSpacesBack(text, digits.first);
    if (sign >= kTimes.size() && text.substr(sign - kTimes.size(), kTimes.size()) == kTimes) sign -= kTimes.size();
    else if (sign > 0 && (text[sign - 1] == 'x' || text[sign - 1] == 'X')) sign -= 1;
    else return digits;
    const auto before = DigitsBefore(text, sign);
    if (before.first == before.second) return digits;
    digits = before;
  }
}

}  // namespace

std::string_view PagesFromExtent(std::string_view extent) {
  const auto [start, stop] = NumberBefore(extent, "p");
  return extent.substr(start, stop - start);
}

std::string BookSizeFromExtent(std::string_view extent) {
  const auto found = NumberBefore(extent, "cm");
  if (found.first == found.second) return {};
  const auto [start, stop] = FirstOfProduct(extent, found);
  const std::string_view height = extent.substr(start, stop - start);
  if (height == "15" || height == "16") return std::string("文庫"_sjis);
  if (height == "18") return std::string("新書"_sjis);
  if (height == "21") return "A5";
  if (height == "26") return "B5";
  if (height == "30") return "A4";
  return std::string(height) + "cm";
}

}  // namespace okuzuke::catalogue
