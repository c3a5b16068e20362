#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitle = "<dt><img src=\"spec_title_name.gif\"></dt>\n<dd>鉄の街</dd>\n";

// `lines` and the footer of 32 lines that is never tested.
test::Scraped Enterbrain(const std::string& lines, int footer = 32) {
  std::string page = lines;
  for (int i = 0; i < footer; ++i) page += "<li></li>\n";
  return test::ScrapePage("enterbrain", page);
}

TEST(EnterbrainScraper, TheLast32LinesAreNeverTested) {
  EXPECT_EQ(Enterbrain(kTitle, 30).result, 0);  // 32 lines
  EXPECT_EQ(Enterbrain(kTitle, 31).result, 1);  // 33: line 0 is tested
  EXPECT_EQ(Enterbrain("<br>\n" + kTitle, 30).result, 0);
}

TEST(EnterbrainScraper, NowPrintingImageIsNoCover) {
  test::Scraped s = Enterbrain(kTitle + "<img src=\"/up_files/product/image/1.jpg\" alt=\"\">\n" +
                               "<img src=\"/up_files/product/nowprint.gif\" alt=\"\">\n");
  EXPECT_EQ(s.book.CoverUrl, "http://www.enterbrain.co.jp/up_files/product/image/1.jpg");
}

TEST(EnterbrainScraper, ContentsLinesAreAppendedAndEndTheScan) {
  test::Scraped s = Enterbrain(kTitle + "<img src=\"spec_title_cont.gif\">\n<p>一行目<br />\n" +
                               "二行目</p>　\n</div>\n<dt><img src=\"spec_title_size.gif\"></dt>\n<dd>B6判</dd>\n");
  EXPECT_EQ(s.book.Description, Sj("一行目二行目"));
  EXPECT_EQ(s.book.BookSize, "");
}

}  // namespace
}  // namespace okuzuke
