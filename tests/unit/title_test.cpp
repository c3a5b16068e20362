#include "text/title.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

struct TitleCase {
  const char* raw;
  const char* title;
  const char* volume;
  const char* remarks;
  const char* presetVolume = "";
};

TEST(NormalizeTitle, SplitsTitleVolumeAndRemarks) {
  const TitleCase cases[] = {
      // Trailing groups in parentheses.
      {"ＡＢＣ（３）", "ABC", "3", ""},
      {"ABC (第3巻)", "ABC", "3", ""},
      {"ABC (IV)", "ABC", "IV", ""},
      {"ABC (3) (特装版)", "ABC", "3", "特装版"},
      {"ABC (限定版) (特典付)", "ABC", "", "限定版 特典付"},
      {"ABC (外伝 (2))", "ABC", "", "外伝 (2)"},  // nested: one group
      {"ABC ()", "ABC", "", ""},                 // the empty group is a designator
      {"ABC (3)", "ABC", "5", "3", "5"},         // a volume set by the scraper stays
      // Angle brackets, before the groups.
      {"ABC〈新装版〉", "ABC", "", "新装版"},
      {"ABC (初回) 〈新装版〉", "ABC", "", "初回 新装版"},
      // The search when no group gave a volume.
      {"ABC (3) 限定版", "ABC", "3", "限定版"},
      {"ABC (3) 限定版 (帯付)", "ABC", "3", "限定版 帯付"},
      {"ABC 上", "ABC", "上", ""},
      {"ABC VOL 2", "ABC VOL", "2", ""},  // "Vol" is case-sensitive; the last word wins
      {"ABC 12巻", "ABC", "12", ""},
      {"ABC 上巻", "ABC", "上", ""},
      {"ABC巻", "ABC巻", "", ""},  // no number before the counter: it goes back
      {"12巻", "", "12", ""},
      {"ABC12集", "ABC", "12", ""},
      {"ABC第3巻", "ABC", "3", ""},
      {"ＡＢＣ　第３巻", "ABC", "3", ""},
      {"ABC 第二巻", "ABC", "二", ""},
      {"ABC編II", "ABC編", "II", ""},
      {"ABC Vol.3", "ABC", "3", ""},
      {"ABC Vol. 3", "ABC Vol.", "3", ""},  // the last word comes before "Vol"
      {"ABC！", "ABC!", "", ""},
      {"ABC 1.5", "ABC 1.5", "", ""},
      // Odd shapes that must not trip over their ends.
      {"", "", "", ""},
      {")", ")", "", ""},
      {"ABC)", "ABC)", "", ""},
      {"(", "(", "", ""},
      {"()", "", "", ""},
      {"〈〉", "", "", ""},
      {"ABC 巻", "ABC", "", ""},
      {"巻", "巻", "", ""},
      {"第", "", "", ""},
      {"A) (B", "A) (B", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raw);
    TBase book;
    book.Volume = Sj(c.presetVolume);
    std::string remarks = NormalizeTitle(book, Sj(c.raw));
    EXPECT_EQ(U8(book.Title), c.title);
    EXPECT_EQ(U8(book.Volume), c.volume);
    EXPECT_EQ(U8(remarks), c.remarks);
  }
}

// Titles shaped to make a careless implementation rescan the text again and
// again; each must finish at once.
TEST(NormalizeTitle, StaysLinearOnPathologicalTitles) {
  const std::size_t n = 50000;
  std::string repeated;
  for (std::size_t i = 0; i < n; ++i) repeated += "(ab)";
  const std::string titles[] = {
      std::string(n, '(') + "x" + std::string(n, ')'),
      [&] {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += "a)";
        return s;
      }(),
      repeated,
      std::string(n, ' ') + "x",
  };
  for (const auto& title : titles) {
    TBase book;
    NormalizeTitle(book, title);
  }
  TBase book;
  EXPECT_EQ(NormalizeTitle(book, repeated).size(), 3 * n - 1);  // "ab ab ... ab"
}

TEST(IsVolumeDesignator, RecognisesVolumeNumbers) {
  struct Case {
    const char* text;
    bool designator;
  } cases[] = {
      {"", true},     {"12", true},   {"上", true},    {"中", true},   {"下", true},
      {"十二", true}, {"IV", true},   {"x", true},     {"A", true},    {"1a", false},
      {"第3", false}, {"上下", false}, {"１２", false}, {"3 ", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsVolumeDesignator(Sj(c.text)), c.designator) << c.text;
}

TEST(NormalizeVolume, MakesDigitsAsciiAndTrims) {
  EXPECT_EQ(NormalizeVolume(Sj(" １２ ")), "12");
  EXPECT_EQ(NormalizeVolume(Sj("ＩＶ")), "IV");
  EXPECT_EQ(U8(NormalizeVolume(Sj("上"))), "上");
  EXPECT_EQ(NormalizeVolume(""), "");
}

}  // namespace
}  // namespace okuzuke
