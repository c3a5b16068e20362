#include "text/numerals.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

TEST(Numerals, CharacterClassTests) {
  struct Case {
    std::string text;
    bool allDigits, containsDigit, kanji, roman;
  } cases[] = {
      {"", true, false, true, true},
      {"0123456789", true, true, false, false},
      {"12a", false, true, false, false},
      {" 12", false, true, false, false},
      {Sj("１２"), false, false, false, false},  // full-width digits are not ASCII digits
      {Sj("十二"), false, false, true, false},
      {Sj("一二三四五六七八九十百壱弐参拾"), false, false, true, false},
      {Sj("十A1"), false, true, false, false},  // the pair "A1" is no numeral
      {Sj("十") + "A", false, false, true, false},  // a trailing odd byte is not examined
      {"A", false, false, true, false},  // so is a one-byte text
      {"7", true, true, true, false},
      {Sj("上"), false, false, false, false},
      {Sj("第二"), false, false, false, false},
      {"XIV", false, false, false, true},
      {"IVL", false, false, false, false},
      {"I I", false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.text));
    EXPECT_EQ(IsAllDigits(c.text), c.allDigits);
    EXPECT_EQ(ContainsDigit(c.text), c.containsDigit);
    EXPECT_EQ(IsKanjiNumeral(c.text), c.kanji);
    EXPECT_EQ(IsRomanNumeral(c.text), c.roman);
  }
}

}  // namespace
}  // namespace okuzuke
