#include "text/numerals.h"

#include <algorithm>
#include <array>

namespace okuzuke {

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The two-byte Shift-JIS characters that may spell a volume number in kanji,
// including the formal forms used on older covers.
constexpr std::array<std::string_view, 15> kKanjiDigits = {
    "\x88\xEA",  // 一
    "\x93\xF1",  // 二
    "\x8E\x4F",  // 三
    "\x8E\x6C",  // 四
    "\x8C\xDC",  // 五
    "\x98\x5A",  // 六
    "\x8E\xB5",  // 七
    "\x94\xAA",  // 八
    "\x8B\xE3",  // 九
    "\x8F\x5C",  // 十
    "\x95\x53",  // 百
    "\x88\xEB",  // 壱
    "\x93\xF3",  // 弐
    "\x8E\x51",  // 参
    "\x8F\x45",  // 拾
};

}  // namespace

bool IsAllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsAsciiDigit); }

bool ContainsDigit(std::string_view text) { return std::any_of(text.begin(), text.end(), IsAsciiDigit); }

bool IsKanjiNumeral(std::string_view text) {
  // Whole pairs only: a trailing odd byte is not looked at.
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    std::string_view pair = text.substr(i, 2);
    if (std::find(kKanjiDigits.begin(), kKanjiDigits.end(), pair) == kKanjiDigits.end())
      return false;
  }
  return true;
}

bool IsRomanNumeral(std::string_view text) {
  return text.find_first_not_of("IVXivx") == std::string_view::npos;
}

}  // namespace okuzuke
