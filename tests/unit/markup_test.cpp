#include "text/markup.h"

#include <gtest/gtest.h>

#include <ctime>
#include <random>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

// Replaces every occurrence, left to right, without rescanning replaced text.
std::string NaiveReplace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The tag removal read literally: cut the working text from the front at
// every tag and search again from its start. Quadratic; for comparison only.
std::string LiteralStripMarkup(std::string text) {
  text = NaiveReplace(text, "<!--", "\x81\x83!--");
  text = NaiveReplace(text, "-->", "--\x81\x84");
  std::string out;
  for (;;) {
    std::size_t a = text.find('<');
    std::size_t b = text.find('>');
    if (a == std::string::npos && b == std::string::npos) break;
    if (b == std::string::npos) {  // only '<'
      out += text.substr(0, a);
      text.clear();
    } else if (a == std::string::npos || b < a) {  // only '>', or '>' first
      text.erase(0, b + 1);
    } else {
      out += text.substr(0, a);
      text.erase(0, b + 1);
    }
  }
  out += text;
  out = NaiveReplace(out, "\x81\x83!--", "<!--");
  out = NaiveReplace(out, "--\x81\x84", "-->");
  out = NaiveReplace(out, "&lt;", "<");
  out = NaiveReplace(out, "&gt;", ">");
  return NaiveReplace(out, "&nbsp;", " ");
}

TEST(StripMarkup, RemovesTagsThenDecodesEntities) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"a<b>c</b>d", "acd"},
      {"x > y", " y"},  // a stray '>' swallows what precedes it
      {"x < y", "x "},  // an unclosed tag eats the rest
      {"x>y<z>w", "yw"},
      {"<p>Hello<br>World</p>", "HelloWorld"},
      {"<a href=\"x\">", ""},
      {"plain text", "plain text"},
      {"", ""},
      // Entities are decoded after the tags are gone, so they stay as text.
      {"a&lt;b&gt;c&lt;/b&gt;d", "a<b>c</b>d"},
      {"1&nbsp;2&lt;3", "1 2<3"},
      {"1&amp;nbsp;2&amp;lt;3", "1&amp;nbsp;2&amp;lt;3"},
      {"&quot;&#12354;", "&quot;&#12354;"},
      {"&lt;!--x--&gt;", "<!--x-->"},
      // Comments keep their markers and text; tags inside them still go.
      {"a<!-- note -->b", "a<!-- note -->b"},
      {"a<!-- <b>x</b> -->c", "a<!-- x -->c"},
      {"<!---->", "<!---->"},
      {"<!-->", "<!-->"},
      {"a<!-- open", "a<!-- open"},
      {"close -->b", "close -->b"},
      // Full-width signs are no tag brackets.
      {Sj("<td>＜本＞</td>の"), Sj("＜本＞の")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripMarkup(c.in), c.out) << U8(c.in);
    EXPECT_EQ(LiteralStripMarkup(c.in), c.out) << "reference: " << U8(c.in);
  }
}

// Every text of up to six bytes over the bytes that matter agrees with the
// literal reading, and so do random longer texts that also hold entities and
// the bytes of the full-width signs used to protect comments.
TEST(StripMarkup, MatchesLiteralReadingExhaustivelyOnShortTexts) {
  const std::string alphabet = "<>!-a\x81";
  std::vector<std::string> texts = {""};
  for (int length = 1; length <= 6; ++length) {
    std::vector<std::string> longer;
    for (const auto& t : texts)
      if (static_cast<int>(t.size()) == length - 1)
        for (char c : alphabet) longer.push_back(t + c);
    texts.insert(texts.end(), longer.begin(), longer.end());
  }
  for (const auto& t : texts) ASSERT_EQ(StripMarkup(t), LiteralStripMarkup(t)) << t;
}

TEST(StripMarkup, MatchesLiteralReadingOnRandomTexts) {
  const std::vector<std::string> pieces = {"<",    ">",    "<!--", "-->", "-",   "!",  "a",
                                           " ",    "&lt;", "&gt;", "&nbsp;", "&", ";", "\x81",
                                           "\x83", "\x84", "\x81\x83", "\x81\x84", "<b>", "</b>"};
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> count(0, 16);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int n = count(random); n > 0; --n) text += pieces[pick(random)];
    ASSERT_EQ(StripMarkup(text), LiteralStripMarkup(text)) << text;
  }
}

TEST(StripMarkup, TakesLinearTimeOnLargePages) {
  std::string cells;
  std::string expected;
  while (cells.size() < 5'000'000) {
    cells += "<td class=\"c\"><a href=\"/x\">cell</a></td>\n";
    expected += "cell\n";
  }
  // Stray '>' force a step per byte on the literal reading.
  const std::string page = cells + std::string(5'000'000, '>') + "end";
  // Processor time, so that a busy machine does not fail the test; a
  // quadratic reading would take minutes.
  const std::clock_t start = std::clock();
  const std::string out = StripMarkup(page);
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  // The first stray '>' drops the line end after the last cell. Compared as
  // booleans: a failure must not print ten megabytes.
  expected.pop_back();
  EXPECT_TRUE(out == expected + "end") << "size " << out.size();
  EXPECT_LT(seconds, 3.0);
}

TEST(FullWidthAlnumToAscii, FoldsDigitsAndLatinLetters) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {Sj("第１２巻ＡＢｃ"), Sj("第12巻ABc")},
      {Sj("０９ＡＺａｚ"), "09AZaz"},
      {Sj("（上）＃"), Sj("（上）＃")},           // other full-width signs stay
      {Sj("ぁ"), Sj("ぁ")},                       // lead 0x82, trail past the letters
      {"\x82\x4E\x82\x7A\x82\x80\x82\x9B", "\x82\x4E\x82\x7A\x82\x80\x82\x9B"},  // range ends
      {Sj("モ") + "O", Sj("モ") + "O"},           // trail 0x82 + 'O' is no ０
      {"ab\x82", "ab\x82"},                       // lead byte without trail
      {std::string("x\x82\0\x4F", 4), "x\x82"},   // nor across a 0 byte
      {std::string("\x82\x50\0\x82\x51", 5), "1"},  // stops at the 0 byte
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FullWidthAlnumToAscii(c.in), c.out) << U8(c.in);
}

TEST(ExtractAfter, CutsBetweenMarkers) {
  struct Case {
    std::string text, start, end, out;
  } cases[] = {
      {"k=v;x", "k=", ";", "v"},
      {"k=v", "k=", ";", "v"},
      {"v", "k=", ";", ""},
      {"k=v;x", "k=", "", "v;x"},
      {"k=;", "k=", ";", ""},
      {"a;k=v;x", "k=", ";", "v"},  // the end marker is looked for after the start
      {"k=1;k=2;", "k=", ";", "1"},
      {"<td>x</td><td>y</td>", "<td>", "</td>", "x"},
      {"ab|c", "", "|", "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractAfter(c.text, c.start, c.end), c.out) << c.text;
}

TEST(NthField, PicksFieldsAtSeparatorsOnCharacterBoundaries) {
  struct Case {
    std::string text;
    int n;
    std::string out;
  } cases[] = {
      {"a|b|c|", 1, "a"},
      {"a|b|c|", 2, "b"},
      {"a|b|c|", 3, "c"},
      {"a|b|c|", 4, ""},  // behind the last separator
      {"a|b|c|", 5, ""},
      {"a|b", 2, "b"},    // the trailing remainder
      {"a|b", 3, ""},
      {"abc", 1, "abc"},
      {"abc", 2, ""},
      {"||x", 2, ""},
      {"", 1, ""},
      {"a|b", 0, ""},
      {"a|b", -1, ""},
      // ポ is 0x83 0x7C: its trail byte is no separator.
      {Sj("ポ|ア"), 1, Sj("ポ")},
      {Sj("ポ|ア"), 2, Sj("ア")},
      {Sj("ポポ"), 1, Sj("ポポ")},
      {Sj("ポポ"), 2, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NthField(c.text, "|", c.n), c.out) << U8(c.text) << " n=" << c.n;
}

TEST(NthField, SkipsWholeMultiByteSeparator) {
  EXPECT_EQ(NthField("a::b::c", "::", 2), "b");
  EXPECT_EQ(NthField("a::b", "", 1), "a::b");  // an empty separator never splits
}

TEST(DigitsOnlyHalfWidth, KeepsAsciiDigitsOrWholeText) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"978-4-08-123456-7", "9784081234567"},
      {Sj("ISBN：978-4"), "9784"},
      {"abc", "abc"},
      {Sj("１２３"), Sj("１２３")},  // full-width digits are no ASCII digits
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DigitsOnlyHalfWidth(c.in), c.out) << U8(c.in);
}

}  // namespace
}  // namespace okuzuke
