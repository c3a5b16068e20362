#include "text/sjis.h"

#include <gtest/gtest.h>

namespace okuzuke {
namespace {

TEST(Sjis, SplitLinesAtEveryKindOfLineEnd) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r", {"a"}},
      {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Sjis, ReplaceAllDoesNotRescanWhatItWrote) {
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll("abab", "ab", ""), "");
  EXPECT_EQ(ReplaceAll("x", "", "y"), "x");
}

TEST(Sjis, FindOnCharBoundarySkipsTrailBytes) {
  // ポ is 83 7C: its trail byte is "|" but is not one.
  EXPECT_EQ(FindOnCharBoundary("\x83\x7C|", "|"), 2u);
  EXPECT_EQ(FindOnCharBoundary("\x83\x7C", "|"), std::string_view::npos);
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
}

}  // namespace
}  // namespace okuzuke
