#include "text/sjis.h"

#include <gtest/gtest.h>

#include <random>

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

// Finding and replacing on character boundaries as a walk that compares at
// every character gives it, on texts where the bytes also match inside
// double-byte characters (83 7C holds "|", 81 5C holds "\\").
TEST(Sjis, OnCharBoundaryAsAWalkOverEveryCharacter) {
  auto walkFind = [](std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); i += SjisCharLength(text, i))
      if (text.compare(i, part.size(), part) == 0) return i;
    return std::string_view::npos;
  };
  auto walkReplace = [](std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, from.size(), from) == 0) {
        out += to;
        i += from.size();
      } else {
        out.append(text, i, SjisCharLength(text, i));
        i += SjisCharLength(text, i);
      }
    }
    return out;
  };
  const std::string pieces[] = {"|", "\\", "a", "\x83\x7C", "\x81\x5C", "\x83", "\x7C\x7C", "\x81\x8F"};
  std::mt19937 random(3);
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    for (int k = static_cast<int>(random() % 12); k > 0; --k) text += pieces[random() % 8];
    for (std::string_view part : {"|", "\\", "\x7C\x7C", "\x81\x8F", "a|"}) {
      ASSERT_EQ(FindOnCharBoundary(text, part), walkFind(text, part)) << testing::PrintToString(text);
      ASSERT_EQ(ReplaceAllOnCharBoundary(text, part, "<>"), walkReplace(text, part, "<>"));
    }
  }
}

}  // namespace
}  // namespace okuzuke
