#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitle = "<h2 class=\"comics\">午前零時の&nbsp;シンデレラ　2</h2>\n";
const std::string kList = "<ul>\n\t<li>A5判</li>\n\t<li>1,050円（税込）</li>\n\t<li>192ページ</li>\n</ul>\n";

test::Scraped Ohzora(const std::string& lines) { return test::ScrapePage("ohzora", lines + "</html>\n"); }

TEST(OhzoraScraper, OnlyLinesUpToTwoFromTheEndAreTested) {
  EXPECT_EQ(test::ScrapePage("ohzora", kTitle).result, 0);
  EXPECT_EQ(test::ScrapePage("ohzora", kTitle + "x\n").result, 1);
  EXPECT_EQ(test::ScrapePage("ohzora", "x\n" + kTitle).result, 0);
}

TEST(OhzoraScraper, AuthorLineWithoutDateMarkOrPicture) {
  test::Scraped s = Ohzora(kTitle + "<img src=\"/new_release/images/a.jpg\">\n" +
                           "<span>著者</span>2010年1月(予定)<a>x</a></li>\n");
  EXPECT_EQ(s.book.ReleaseYear, "2010");  // cut from the line start
  EXPECT_EQ(s.book.CoverUrl, "http://www.ohzora.co.jp/new_release/images/a.jpg");  // no picture to replace it
}

TEST(OhzoraScraper, LaterRulesOverrideEarlierValues) {
  test::Scraped s = Ohzora(kTitle + "<li><span>定価</span>1,000円</li>\n" +
                           "<li><span>判型</span>B6判</li><li><a href=\"/l/\">旧レーベル</a></li>\n" + kList +
                           "<p><a href=\"/\">HOME</a>＞＞<a href=\"/r/\">新刊</a>＞＞ソルマーレ</p>\n" +
                           "<li><span>著者</span><img src=\"/images/s.jpg\"></li>\n" +
                           "<img src=\"/new_release/images/4776.jpg\" alt=\"\">\n");
  EXPECT_EQ(s.book.Price, "1050");
  EXPECT_EQ(s.book.BookSize, "A5");
  EXPECT_EQ(s.book.Label, Sj("ソルマーレ"));
  EXPECT_EQ(s.book.CoverUrl, "http://www.ohzora.co.jp/new_release/images/4776.jpg");
}

TEST(OhzoraScraper, ListBeforeTheTitleIsIgnored) {
  test::Scraped s = Ohzora(kList + kTitle);
  EXPECT_EQ(s.book.Price + s.book.BookSize, "");
}

TEST(OhzoraScraper, DescriptionIsCollectedUpToTheListEnd) {
  EXPECT_EQ(Ohzora(kTitle + "<dd>一行目<br />\n\t二行目</dd>\n</dl>\n").book.Description, Sj("一行目\r\n二行目"));
  EXPECT_EQ(Ohzora(kTitle + "<dd>一行だけ</dd></dl>\n").book.Description, Sj("一行だけ"));
}

}  // namespace
}  // namespace okuzuke
