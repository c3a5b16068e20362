#include "text/numerals.h"
#include "text/sjis_literal.h"

#include <algorithm>
#include <array>

namespace okuzuke {

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The two-byte Shift-JIS characters that may spell a volume number in kanji,
// including the formal forms used on older covers.
constexpr std::array<std::string_view, 15> kKanjiDigits = {
    "一"_sjis,
    "二"_sjis,
    "三"_sjis,
    "四"_sjis,
    "五"_sjis,
    "六"_sjis,
    "七"_sjis,
    "八"_sjis,
    "九"_sjis,
    "十"_sjis,
    "百"_sjis,
    "壱"_sjis,
    "弐"_sjis,
    "参"_sjis,
    "拾"_sjis,
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
