#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitle = "<td class=\"detail_title\">星の海<br>２</td>\n";
const std::string kAuthors = "<span class=\"detail_author\">著：甲野</span><br>\n";

test::Scraped MediaFactory(const std::string& lines) {
  return test::ScrapePage("mediafactory", lines + "</html>\n");
}

TEST(MediaFactoryScraper, TheLastLineIsNeverTested) {
  EXPECT_EQ(test::ScrapePage("mediafactory", kTitle).result, 0);
  EXPECT_EQ(test::ScrapePage("mediafactory", "<html>\n" + kTitle).result, 0);
  test::Scraped found = MediaFactory(kTitle);
  EXPECT_EQ(found.result, 1);
  EXPECT_EQ(found.book.Title + "/" + found.book.Volume, Sj("星の海/2"));
}

TEST(MediaFactoryScraper, SizeAndPriceOnlyFromAPriceLineRightAfterTheAuthors) {
  test::Scraped next = MediaFactory(kTitle + kAuthors +
                                    "<span class=\"detail_price_isbn\">新書判 1,029円（税込） ISBN</span>\n");
  EXPECT_EQ(next.book.BookSize + "/" + next.book.Price, Sj("新書/1029"));
  test::Scraped later = MediaFactory(kTitle + kAuthors + "<br>\n" +
                                     "<span class=\"detail_price_isbn\">新書判 1,029円（税込）</span>\n");
  EXPECT_EQ(later.book.BookSize + later.book.Price, "");
}

// The catch copy replaces the description, the sections follow in page
// order, and LINK keeps the lines with an address but not an image link;
// it ends the scan. A section is trimmed before its closing tag is cut.
TEST(MediaFactoryScraper, DescriptionIsTheCatchCopyAndItsSections) {
  test::Scraped s = MediaFactory(kTitle + "<p class=\"detail_catch\">前の惹句\n" +
                                 "<p class=\"detail_catch\">惹句<br>二行目\n" +
                                 "<img src=\"img/detail_caption_point.gif\" alt=\"\">\n\t見どころ</p>\n" +
                                 "<img src=\"img/detail_caption_story.gif\" alt=\"\">\n あらすじ<br>続き </p>\n" +
                                 "<img src=\"img/detail_caption_link.gif\" alt=\"\">\n" +
                                 "<a href=\"http://a.jp/\"><img src=\"b.gif\"></a><br>\n" +
                                 "注記のみ<br>\n" +
                                 "\t公式：<a href=\"http://a.jp/\">特設ページ</a><br>\n" +
                                 "http://b.jp/<br>\n" +
                                 "</td>\n" + "<p class=\"detail_catch\">後の惹句\n");
  EXPECT_EQ(s.book.Description, Sj("惹句\r\n二行目\r\nPOINT：\r\n見どころ\r\nSTORY：\r\nあらすじ\r\n続き \r\n"
                                   "LINK：\r\n公式：特設ページ\r\nhttp://b.jp/"));
}

}  // namespace
}  // namespace okuzuke
