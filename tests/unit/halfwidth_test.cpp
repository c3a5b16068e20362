#include "text/halfwidth.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(ToHalfWidth, FoldsLikeWindowsForJapanese) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {Sj("アイウエオ"), Sj("ｱｲｳｴｵ")},
      {Sj("ガギグゲゴ"), Sj("ｶﾞｷﾞｸﾞｹﾞｺﾞ")},  // voiced marks split off
      {Sj("パピプペポ"), Sj("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ")},
      {Sj("ヴ"), Sj("ｳﾞ")},
      {Sj("ァッャヲンー"), Sj("ｧｯｬｦﾝｰ")},
      {Sj("ドラゴンボール　第１巻"), Sj("ﾄﾞﾗｺﾞﾝﾎﾞｰﾙ 第1巻")},
      {Sj("、。「」・ー゛゜"), Sj("､｡｢｣･ｰﾞﾟ")},
      {Sj("ＡＢＣ　ａｂｃ　０１２"), "ABC abc 012"},
      {Sj("！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｀｛｜｝～"),
       "!#$%&()*+,-./:;<=>?@[]^_`{|}~"},
      {Sj("＼￥"), "\\\\"},               // both become the byte 0x5C
      {Sj("‘’“”"), "''\"\""},
      // No half-width form: kept.
      {Sj("ひらがな漢字ヵヶヮヰヱヾ"), Sj("ひらがな漢字ヵヶヮヰヱヾ")},
      {Sj("○■→←↑↓│"), Sj("○■→←↑↓│")},
      {Sj("￠￡￢￣"), Sj("￠￡￢￣")},
      {Sj("ｶﾀｶﾅ abc"), Sj("ｶﾀｶﾅ abc")},
      // Characters held twice in code page 932 come back in Windows' form.
      {"\xED\x40", "\xFA\x5C"},  // 纊, NEC-selected IBM extension
      {"\x87\x90", "\x81\xE0"},  // ≒, NEC row 13
      {"\xFA\x4A", "\x87\x54"},  // Ⅰ, IBM extension
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHalfWidth(c.in), c.out) << U8(c.in);
}

TEST(ToHalfWidth, WalksByCharacters) {
  struct Case {
    std::string in, out;
  } cases[] = {
      // 0x89 0x81 is 員; its trail byte with '@' would read as the
      // ideographic space if the walk lost step.
      {"\x89\x81\x40", "\x89\x81\x40"},
      {Sj("ア") + "\x83", Sj("ｱ") + "\x83"},                   // lone lead byte at the end
      {std::string("\x83\x41\0\x83\x41", 5), Sj("ｱ")},         // a 0 byte ends the text
      {std::string("\x83\0\x41", 3), "\x83"},                  // lead byte before a 0 byte
      {"\x83\x20\x83\x7F", "\x83\x20\x83\x7F"},                // no trail byte: copied
  };
  for (const auto& c : cases) EXPECT_EQ(ToHalfWidth(c.in), c.out) << U8(c.in);
}

TEST(ToHalfWidth, HasNoLengthLimit) {
  EXPECT_EQ(ToHalfWidth(Repeat(Sj("ガ"), 200)), Repeat(Sj("ｶﾞ"), 200));
  EXPECT_EQ(ToHalfWidth(Repeat(Sj("Ａ"), 300)), Repeat("A", 300));
  EXPECT_EQ(ToHalfWidth(Repeat(Sj("漢"), 1000)), Repeat(Sj("漢"), 1000));
}

}  // namespace
}  // namespace okuzuke
