#include "text/sjis_literal.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../lib/cp932_table_check.h"
#include "text/codepage.h"

namespace okuzuke {
namespace {

// Converted while compiling: these hold or the test does not build.
static_assert("定価"_sjis == "\x92\xE8\x89\xBF");
static_assert("<div class=\"ex1\">　定　価："_sjis == "<div class=\"ex1\">\x81@\x92\xE8\x81@\x89\xBF\x81\x46");
static_assert("ｱｰﾞ"_sjis == "\xB1\xB0\xDE");                 // half-width katakana: one byte each
static_assert("〜～—―"_sjis == "\x81\x60\x81\x60\x81\x5C\x81\x5C");  // JIS and Microsoft forms alike
static_assert("ⅰ①≒"_sjis == "\xFA\x40\x87\x40\x81\xE0");       // Windows' choice among duplicate codes
static_assert("\r\n"_sjis.size() == 2 && "a\0b"_sjis.size() == 3);
static_assert("全年齢"_sjis.data()[6] == '\0');                 // usable as a C string

TEST(SjisLiteral, TableGivesThePlatformsBytes) {
  std::size_t checked = test::CheckLiteralTableAgainstPlatform([](const test::TableMismatch& m) {
    ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(m.unit);
  });
  EXPECT_GT(checked, 7000u);
}

// Every character code page 932 has (but the user-defined area) can be
// written: decoding each code and looking the character up gives a code for
// the same character.
TEST(SjisLiteral, TableHoldsEveryCharacter) {
  std::vector<std::string> codes;
  for (int b = 0xA1; b <= 0xDF; ++b) codes.push_back(std::string(1, static_cast<char>(b)));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if ((lead > 0x9F && lead < 0xE0) || (lead >= 0xF0 && lead <= 0xF9)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F) codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
  }
  const auto& table = sjis_literal::kUnicodeToCp932;
  int missing = 0;
  for (const std::string& code : codes) {
    std::u16string unit = Cp932ToUtf16(code);
    if (unit.size() != 1 || unit[0] == u'\uFFFD') continue;  // unassigned
    auto at = std::lower_bound(std::begin(table), std::end(table), std::uint32_t{unit[0]} << 16);
    if (at == std::end(table) || (*at >> 16) != unit[0]) {
      ++missing;
      ADD_FAILURE() << "no entry for U+" << std::hex << static_cast<unsigned>(unit[0]);
    }
  }
  EXPECT_EQ(missing, 0);
}

}  // namespace
}  // namespace okuzuke
