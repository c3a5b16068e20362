#include "text/charset.h"

#include <errno.h>
#include <iconv.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>

#include "test_support.h"
#include "text/codepage.h"

namespace okuzuke {
namespace {

using test::Sj;

// The whole text through glibc iconv, or nullopt when iconv rejects any of it.
std::optional<std::string> Iconv(const char* to, const char* from, std::string_view text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
  std::string out(text.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// A copy of `bytes` in a heap block of exactly that size, so that the address
// sanitizer reports any read past its end.
struct ExactBuffer {
  explicit ExactBuffer(std::string_view bytes) : data(std::make_unique<char[]>(bytes.size())), size(bytes.size()) {
    std::copy(bytes.begin(), bytes.end(), data.get());
  }
  std::string_view View() const { return {data.get(), size}; }
  std::unique_ptr<char[]> data;
  std::size_t size;
};

std::string Utf8ToAnsiExact(std::string_view utf8) { return Utf8ToAnsi(ExactBuffer(utf8).View()); }
std::string EucToSjisExact(std::string_view euc) { return EucToSjis(ExactBuffer(euc).View()); }

TEST(Charset, AsciiPassesUnchanged) {
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(Utf8ToAnsi(ascii), ascii);
  EXPECT_EQ(Utf8BomToAnsi("\xEF\xBB\xBF" + ascii), ascii);
  EXPECT_EQ(EucToSjis(ascii), ascii);
}

TEST(Utf8ToAnsi, DecodesAndConverts) {
  struct Case {
    std::string utf8;
    std::string sjis;
  } cases[] = {
      {"\xE3\x81\x82", "\x82\xA0"},  // あ
      {"<b>\xE6\x96\xB0\xE8\xA3\x85\xE7\x89\x88</b>", Sj("<b>新装版</b>")},
      {"caf\xC3\xA9", "cafe"},  // no é in code page 932: folded as Windows does
      {"\xC2\xA5", "\x5C"},
      {"\xF0\x9F\x98\x80!", "?!"},  // U+1F600 decoded to a surrogate pair: one "?"
      {"\xF4\x90\x80\x80", "?"},    // beyond U+10FFFF
      {"\xED\xA0\x80x", "?x"},      // a lone surrogate
      {"\xE3\x41\x42", "\x82\xA0"},  // continuation bytes unchecked: low bits give U+3042
      {std::string("ab\0cd", 5), "ab"},  // decoding ends at the first 0 byte
      {"ab\xC0\x80" "cd", "ab"},         // and at the first 0 unit
      // Cut off by the end: the missing continuation bytes count as zeros.
      {"a\xE3", "a\x81\x40"},  // U+3000 from the lead byte alone: ideographic space
      {"a\xE3\x81", "a?"},     // U+3040, unassigned
      {"a\xC2", "a\x80"},      // U+0080
      {"a\xF0\x9F", "a?"},
      {"a\xF0", "a"},  // U+0000 ends the text
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToAnsiExact(c.utf8), c.sjis) << test::U8(c.utf8);
  }
}

TEST(Utf8ToAnsi, LongTextsKeepSurrogatePairsWhole) {
  for (std::size_t lead = 4090; lead <= 4100; ++lead) {
    std::string ascii(lead, 'a');
    EXPECT_EQ(Utf8ToAnsi(ascii + "\xF0\x9F\x98\x80\xE3\x81\x82"), ascii + "?\x82\xA0") << lead;
  }
}

TEST(Utf8ToAnsi, RejectsInvalidLeadBytes) {
  const std::string invalid[] = {"\x80", "abc\xBF", "\xF8\x88\x80\x80\x80", "\xFF",
                                 // The text decodes on past a 0 unit, up to a 0 byte.
                                 "\xC0\x80\x80"};
  for (const auto& utf8 : invalid) {
    try {
      Utf8ToAnsiExact(utf8);
      ADD_FAILURE() << "no exception for " << testing::PrintToString(utf8);
    } catch (const Utf8Error& e) {
      EXPECT_STREQ(e.what(), "UTF-8 Unknown code.");
    }
  }
  EXPECT_EQ(Utf8ToAnsi(std::string("ok\0\x80", 4)), "ok");
}

TEST(Utf8BomToAnsi, DropsThreeBytesUnchecked) {
  EXPECT_EQ(Utf8BomToAnsi("\xEF\xBB\xBF\xE3\x81\x82"), "\x82\xA0");
  EXPECT_EQ(Utf8BomToAnsi("abcdef"), "def");
  EXPECT_EQ(Utf8BomToAnsi(ExactBuffer("ab").View()), "");
  EXPECT_EQ(Utf8BomToAnsi(""), "");
}

TEST(EucToSjis, ConvertsPairsAndSingleShifts) {
  struct Case {
    std::string euc;
    std::string sjis;
  } cases[] = {
      {"\xB0\xA1", "\x88\x9F"},                // 亜
      {"\x8E\xB1", "\xB1"},                    // half-width ｱ
      {"a\xA4\xA2<br>", "a\x82\xA0<br>"},      // あ
      {"\x80\xFF", "\x80\xFF"},                // copied as they are
      {"\xF4\xA6", "\xEA\xA4"},                // 熙, row 84: the last row
      // The first byte of a pair cut off by the end stands for nothing: dropped.
      {"ab\xB0", "ab"},
      {"ab\x8E", "ab"},
      {"\xB0\xA1\xB0", "\x88\x9F"},
  };
  for (const auto& c : cases) EXPECT_EQ(EucToSjisExact(c.euc), c.sjis) << testing::PrintToString(c.euc);
}

TEST(JisToSjis, RowAndCellArithmetic) {
  struct Case {
    unsigned char row, cell, lead, trail;
  } cases[] = {
      {0x21, 0x21, 0x81, 0x40}, {0x21, 0x7E, 0x81, 0x9E}, {0x22, 0x21, 0x81, 0x9F},
      {0x24, 0x22, 0x82, 0xA0}, {0x30, 0x21, 0x88, 0x9F}, {0x21, 0x60, 0x81, 0x80},
      {0x5E, 0x7E, 0x9F, 0xFC}, {0x5F, 0x21, 0xE0, 0x40}, {0x74, 0x26, 0xEA, 0xA4},
      {0x7E, 0x7E, 0xEF, 0xFC},
  };
  for (const auto& c : cases) {
    auto sjis = JisToSjis(c.row, c.cell);
    EXPECT_EQ(sjis[0], c.lead) << std::hex << int{c.row} << " " << int{c.cell};
    EXPECT_EQ(sjis[1], c.trail) << std::hex << int{c.row} << " " << int{c.cell};
  }
}

// Every character of JIS X 0208 (rows 1-84; iconv rejects the empty cells)
// against glibc's own converters.
TEST(Charset, AgreesWithIconvOnEveryJisX0208Character) {
  int checked = 0;
  for (int row = 1; row <= 84; ++row) {
    for (int cell = 1; cell <= 94; ++cell) {
      const std::string euc = {static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
      auto expected = Iconv("CP932", "EUC-JP", euc);
      if (!expected) continue;
      EXPECT_EQ(EucToSjisExact(euc), *expected) << "row " << row << " cell " << cell;
      auto utf8 = Iconv("UTF-8", "EUC-JP", euc);
      ASSERT_TRUE(utf8);
      auto viaUtf8 = Iconv("CP932", "UTF-8", *utf8);
      ASSERT_TRUE(viaUtf8) << "row " << row << " cell " << cell;
      EXPECT_EQ(Utf8ToAnsiExact(*utf8), *viaUtf8) << "row " << row << " cell " << cell;
      ++checked;
    }
  }
  EXPECT_GT(checked, 6800);  // JIS X 0208 has 6879 characters
}

// The characters where Unix converters and Windows' own table part ways:
// both platforms give these bytes.
TEST(Utf16ToCp932, GivesTheCommonBytesOnEveryPlatform) {
  struct Case {
    char16_t unit;
    std::string sjis;
  } cases[] = {
      {u'\u301C', "\x81\x60"},  // WAVE DASH
      {u'\u2016', "\x81\x61"},  // DOUBLE VERTICAL LINE
      {u'\u2212', "\x81\x7C"},  // MINUS SIGN
      {u'\u2014', "\x81\x5C"},  // EM DASH
      {u'\u00A2', "\x81\x91"},  // CENT SIGN
      {u'\u00A3', "\x81\x92"},  // POUND SIGN
      {u'\u00AC', "\x81\xCA"},  // NOT SIGN
      {u'\u00A5', "\x5C"},      // YEN SIGN
      {u'\u203E', "\x7E"},      // OVERLINE
      {u'\u00E9', "e"},         // Windows folds accented letters
      {u'\u00AB', "\x81\xE1"},  // « as ≪
      {u'\u00A0', "?"},         // NO-BREAK SPACE has no form
      {u'\u3094', "\x83\x94"},  // hiragana vu as katakana
      {u'\u0080', "\x80"},
      {u'\uFFFD', "?"},
      {u'\xDC00', "?"},  // a stray low surrogate
  };
  for (const auto& c : cases) {
    std::u16string text = {u'a', c.unit, u'b'};
    EXPECT_EQ(Utf16ToCp932(text), "a" + c.sjis + "b") << std::hex << int{c.unit};
  }
  EXPECT_EQ(Utf16ToCp932(u"\U0001F600\U0001F600"), "??");
  EXPECT_EQ(Utf16ToCp932(std::u16string(1, u'\xD800')), "?");  // a high surrogate at the end
}

// Every unit converts as iconv itself converts it (the conversion looks
// each unit up in a table it fills from iconv), but those Windows treats
// its own way (Latin-1, hiragana vu, the private-use units of single bytes).
TEST(Utf16ToCp932, EveryUnitAsIconvGivesIt) {
  iconv_t cd = iconv_open("CP932", "UTF-16LE");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int different = 0;
  for (char32_t u = 0x100; u < 0x10000; ++u) {
    if ((u >= 0xD800 && u <= 0xDFFF) || u == 0x3094 || (u >= 0xF8F0 && u <= 0xF8F3)) continue;
    char16_t unit = static_cast<char16_t>(u);
    char* in = reinterpret_cast<char*>(&unit);
    char out[8];
    char* outPtr = out;
    std::size_t inLeft = 2, outLeft = sizeof out;
    const bool converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    const std::string expected = converted ? std::string(out, outPtr) : std::string("?");
    if (Utf16ToCp932(std::u16string(1, unit)) != expected && ++different < 5) ADD_FAILURE() << std::hex << int{unit};
  }
  iconv_close(cd);
  EXPECT_EQ(different, 0);
}

// A page's UTF-8 converts as its UTF-16 units converted together would, for
// texts mixing ASCII, every kind of BMP unit (lone and paired surrogates
// among them) and characters beyond the BMP.
TEST(Utf8ToAnsi, GivesWhatItsUnitsGiveTogether) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<char32_t> bmp(1, 0xFFFF), beyond(0x10000, 0x10FFFF);
  std::uniform_int_distribution<int> kind(0, 5);
  for (int round = 0; round < 2000; ++round) {
    std::string utf8;
    std::u16string units;
    for (int n = 0; n < 30; ++n) {
      const int k = kind(random);
      char32_t code = k == 0 ? U'a' + (bmp(random) % 26)
                      : k == 1 ? 0xD800 + bmp(random) % 0x800
                      : k == 2 ? beyond(random)
                               : bmp(random);
      if (code < 0x80) {
        utf8 += static_cast<char>(code);
      } else if (code < 0x800) {
        utf8 += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
      } else if (code < 0x10000) {
        utf8 += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
                 static_cast<char>(0x80 | (code & 0x3F))};
      } else {
        utf8 += {static_cast<char>(0xF0 | code >> 18), static_cast<char>(0x80 | (code >> 12 & 0x3F)),
                 static_cast<char>(0x80 | (code >> 6 & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
      }
      if (code < 0x10000) {
        units += static_cast<char16_t>(code);
      } else {
        units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      }
    }
    ASSERT_EQ(Utf8ToAnsiExact(utf8), Utf16ToCp932(units)) << testing::PrintToString(utf8);
  }
}

// EUC-JP converted a byte or a pair at a time, as the conversion's rules read.
std::string EucToSjisByteByByte(std::string_view euc) {
  std::string out;
  for (std::size_t i = 0; i < euc.size();) {
    const auto b = static_cast<unsigned char>(euc[i]);
    if (b < 0x80 || b == 0x80 || b == 0xFF) {
      out += euc[i++];
    } else if (i + 1 == euc.size()) {
      break;
    } else if (b == 0x8E) {
      out += euc[i + 1];
      i += 2;
    } else {
      const auto pair = JisToSjis(b & 0x7F, static_cast<unsigned char>(euc[i + 1]) & 0x7F);
      out.append(reinterpret_cast<const char*>(pair.data()), 2);
      i += 2;
    }
  }
  return out;
}

// Texts of ASCII, runs of pairs of every length, single shifts and stray
// bytes convert as byte by byte, into a new text and in place.
TEST(EucToSjis, GivesWhatByteByByteGives) {
  std::mt19937 random(20261209);
  // Stray bytes are rarer in the later rounds, so that long stretches of
  // ASCII and pairs alone meet the sixteen-byte steps at every offset.
  std::uniform_int_distribution<int> piece(0, 24), length(1, 40), pairByte(0xA1, 0xFE), any(0, 255);
  for (int round = 0; round < 4000; ++round) {
    const int strays = round < 2000 ? 5 : 24;
    std::string euc;
    while (euc.size() < 200) {
      const int kind = piece(random) % (strays + 1), n = length(random);
      for (int k = 0; k < n && (kind <= 1 || kind > 5); ++k)
        euc += static_cast<char>(kind == 0 || kind % 2 == 0 ? 'a' + k % 26 : pairByte(random));
      if (kind == 2) euc += {'\x8E', static_cast<char>(any(random))};
      if (kind >= 3 && kind <= 5) euc += static_cast<char>(any(random));
    }
    euc.resize(static_cast<std::size_t>(length(random)) * 5);
    const std::string expected = EucToSjisByteByByte(euc);
    ASSERT_EQ(EucToSjisExact(euc), expected) << testing::PrintToString(euc);
    std::string inPlace = euc;
    EucToSjisInPlace(inPlace);
    ASSERT_EQ(inPlace, expected) << testing::PrintToString(euc);
  }
}

TEST(Charset, RandomBytesNeverCrash) {
  std::mt19937 random(20240607);
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& b : bytes) b = static_cast<char>(byte(random));
    EXPECT_LE(EucToSjisExact(bytes).size(), bytes.size());
    try {
      Utf8ToAnsiExact(bytes);
    } catch (const Utf8Error&) {
    }
    // UTF-8 made only of valid lead bytes, so that decoding goes to the end.
    for (char& b : bytes)
      if ((b & 0xC0) == 0x80 || static_cast<unsigned char>(b) >= 0xF8) b = 'x';
    EXPECT_NO_THROW(Utf8ToAnsiExact(bytes));
  }
}

}  // namespace
}  // namespace okuzuke
