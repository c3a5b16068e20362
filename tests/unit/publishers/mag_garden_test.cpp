#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

std::string Heading(const std::string& title, const std::string& reading) {
  return "<td><b><span class=\"f16\"><font color=\"#006699\">" + title + "</font></span></b><br>\n" +
         "\t<span class=\"f10\">" + reading + "<br></span></td>\n";
}

test::Scraped MagGarden(const std::string& lines) {
  return test::ScrapePage("maggarden", lines + "</td>\n</tr>\n</table>\n");
}

TEST(MagGardenScraper, HyphenPartBecomesTheSubtitleAndTheReadingLosesTheVolume) {
  struct Case {
    const char* title;
    const char* reading;
    const char* expectTitle;
    const char* volume;
    const char* subtitle;
    const char* expectReading;
  } cases[] = {
      {"星の町 -外伝- 3", "ほしのまち がいでん 3", "星の町", "3", "外伝", "ほしのまち がいでん"},
      {"星の町 3", " ほしのまち 4 ", "星の町", "3", "", "ほしのまち 4"},
      {"星の町", "ほしのまち", "星の町", "", "", "ほしのまち"},
      {"D.Gray-man 5", "でぃーぐれいまん 5", "D.Gray-man", "5", "", "でぃーぐれいまん"},
  };
  for (const auto& c : cases) {
    test::Scraped s = MagGarden(Heading(c.title, c.reading));
    EXPECT_EQ(s.result, 1) << c.title;
    EXPECT_EQ(s.book.Title, Sj(c.expectTitle)) << c.title;
    EXPECT_EQ(s.book.Volume, Sj(c.volume)) << c.title;
    EXPECT_EQ(s.book.Subtitle, Sj(c.subtitle)) << c.title;
    EXPECT_EQ(s.book.TitleReading, Sj(c.expectReading)) << c.title;
    EXPECT_EQ(s.book.Publisher, Sj("マッグガーデン"));
  }
}

TEST(MagGardenScraper, OnlyLinesUpToThreeFromTheEndAreTested) {
  const std::string heading = "<b><span class=\"f16\"><font color=\"#006699\">星</font>\n";
  EXPECT_EQ(test::ScrapePage("maggarden", heading + "x\n").result, 0);
  EXPECT_EQ(test::ScrapePage("maggarden", heading + "x\ny\n").result, 1);
  EXPECT_EQ(test::ScrapePage("maggarden", "w\n" + heading + "y\n").result, 0);
}

TEST(MagGardenScraper, SizeDateAndPriceNeedADayBeforeTheReleaseMark) {
  const std::string head = Heading("星", "ほし") + "<span class=\"f12h18\">2009年03月";
  test::Scraped month = MagGarden(head + "発売<br>\n B6判 \n 1,200円<br>\n");
  EXPECT_EQ(month.book.BookSize + month.book.Price + month.book.ReleaseYear, "");
  test::Scraped noYen = MagGarden(head + "10日発売<br>\nB6\n1200\n");
  EXPECT_EQ(noYen.book.BookSize, "B6");
  EXPECT_EQ(noYen.book.Price, "");  // no "円" on the price line
}

}  // namespace
}  // namespace okuzuke
