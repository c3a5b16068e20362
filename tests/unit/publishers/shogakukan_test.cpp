#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

// The lines, then enough filler that each of them is tested.
test::Scraped Shogakukan(const std::string& lines, int filler = 8) {
  std::string page = lines;
  for (int i = 0; i < filler; ++i) page += "<p>&nbsp;</p>\n";
  return test::ScrapePage("shogakukan", page);
}

TEST(ShogakukanScraper, SplitsTheHeadingIntoTitleVolumeAndSubtitle) {
  struct Case {
    const char* heading;
    const char* title;
    const char* volume;
    const char* subtitle;
  } cases[] = {
      {"<h1>星の町 3 完結編</h1>", " 星の町", "3", " 完結編"},
      {"<h1>星の町 3 完結編<span>特装版</span></h1>", " 星の町", "3", "特装版 完結編"},
      {"<h1>星の町　１２</h1>", " 星の町", "12", ""},
      {"<h1>星の町  3</h1>", " 星の町", "", ""},  // a double blank ends the split
      {"<h1>星の 町</h1>", " 星の 町", "", ""},
  };
  for (const auto& c : cases) {
    test::Scraped s = Shogakukan(std::string(c.heading) + "\n<p class=\"writer\">作／緒方ハルキ</p>\n");
    EXPECT_EQ(s.book.Title, Sj(c.title)) << c.heading;
    EXPECT_EQ(s.book.Volume, Sj(c.volume)) << c.heading;
    EXPECT_EQ(s.book.Subtitle, Sj(c.subtitle)) << c.heading;
    EXPECT_EQ(s.book.Author1, Sj("緒方ハルキ"));
    EXPECT_EQ(s.book.Publisher, Sj("小学館"));
  }
}

TEST(ShogakukanScraper, NotFoundHeadingYieldsNothingFromItsLinesButStillFinds) {
  test::Scraped s = Shogakukan(
      "<span>x</span> <h1>お探しの本は見つかりません</h1>\n<p class=\"writer\">作／誰か</p>\n"
      "<th>発売日</th>\n<td>2010年1月</td>\n");
  EXPECT_EQ(s.result, 1);
  EXPECT_EQ(s.book.Title + s.book.Subtitle + s.book.Label + s.book.Author1 + s.book.Publisher, "");
  EXPECT_EQ(s.book.ReleaseYear, "2010");
}

TEST(ShogakukanScraper, OnlyLinesUpToEightFromTheEndAreTested) {
  EXPECT_EQ(Shogakukan("<h1>AB</h1>\n", 7).book.Title, " AB");
  test::Scraped tooShort = Shogakukan("<h1>AB</h1>\n", 6);
  EXPECT_EQ(tooShort.book.Title, "");
  EXPECT_EQ(tooShort.result, 1);
  EXPECT_EQ(test::ScrapeBytes("shogakukan", "").result, 1);
}

TEST(ShogakukanScraper, PriceKeepsItsDigitGroupComma) {
  EXPECT_EQ(Shogakukan("<th>定価</th>\n<td>\n 1,575 円（税込）\n").book.Price, "1,575");
}

}  // namespace
}  // namespace okuzuke
