#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitle = "<td><div class=\"ex1\"><b>ひだまり荘　3</b></div></td>\n";
const std::string kDate = "<div class=\"ex1\">　発売日：2008年02月27日</div>\n";
const std::string kPrice = "<div class=\"ex1\">　定　価：<font color=\"#FF0000\">1,260円(本体1,200円)</font></div>\n";

// The lines between a first and a last line, which are never tested.
test::Scraped Houbunsha(const std::string& lines) {
  return test::ScrapePage("houbunsha", "<html>\n" + lines + "</html>\n");
}

TEST(HoubunshaScraper, FoundOnlyWithANonEmptyTitleBetweenTheFirstAndLastLines) {
  EXPECT_EQ(test::ScrapePage("houbunsha", kTitle + "x\ny\n").result, 0);
  EXPECT_EQ(test::ScrapePage("houbunsha", "x\n" + kTitle + "y\n").result, 1);
  EXPECT_EQ(test::ScrapePage("houbunsha", "x\n" + kTitle).result, 0);
  EXPECT_EQ(Houbunsha("<div class=\"ex1\"><b></b></div>\n").result, 0);
}

TEST(HoubunshaScraper, DateAndPriceCountOnlyBelowTheTitle) {
  test::Scraped above = Houbunsha(kDate + kPrice + kTitle);
  EXPECT_EQ(above.result, 1);
  EXPECT_EQ(above.book.ReleaseYear + above.book.Price, "");
  test::Scraped below = Houbunsha(kTitle + kDate + kPrice);
  EXPECT_EQ(below.book.ReleaseYear, "2008");
  EXPECT_EQ(below.book.Price, "1260");
}

TEST(HoubunshaScraper, VolumeCellReplacesTheTitlesVolume) {
  test::Scraped s = Houbunsha(kTitle + "<td align=\"right\"><div align=\"center\" class=\"ex1\"> （4）巻 </div></td>\n");
  EXPECT_EQ(s.book.Title, Sj("ひだまり荘"));
  EXPECT_EQ(s.book.Volume, "4");
}

TEST(HoubunshaScraper, OnSaleDateAndPlaceholderCoverLeaveTheirFields) {
  test::Scraped s = Houbunsha(kTitle + "<div class=\"ex1\">　発売日：発売中</div>\n" +
                              "<img name=\"imageCover\" src=\"/img/c.jpg\" width=\"1\">\n" +
                              "<img name=\"imageCover\" src=\"/img/nowprinting.gif\">\n");
  EXPECT_EQ(s.book.ReleaseYear, "");
  EXPECT_EQ(s.book.CoverUrl, "http://www.houbunsha.co.jp/img/c.jpg");
}

TEST(HoubunshaScraper, DescriptionRunsFromTheFirstValueDivToTheLineEnd) {
  const std::string cell = "<td width=\"234\" valign=\"top\">\n";
  EXPECT_EQ(Houbunsha(kTitle + cell + "\t<div class=\"ex1\">一<br>二\n").book.Description, Sj("一\r\n二"));
  EXPECT_EQ(Houbunsha(kTitle + cell + "0123456789abcdefXYZ\n").book.Description, "XYZ");
}

}  // namespace
}  // namespace okuzuke
