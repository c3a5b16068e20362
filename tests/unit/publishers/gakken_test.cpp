#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

std::string Heading(const std::string& title) {
  return "<td><div style=\"padding:4px;\">学研の図鑑</div><a name=\"g\"></a>" + title + "</td>\n";
}

// `lines` after the 11 lines the scan never starts on, and the 3 after them.
test::Scraped Gakken(const std::string& lines, int before = 11) {
  std::string page;
  for (int i = 0; i < before; ++i) page += "<tr>\n";
  return test::ScrapePage("gakken", page + lines + "</table>\n</body>\n</html>\n");
}

TEST(GakkenScraper, ScanStartsAtLineElevenAndEndsFourFromTheEnd) {
  EXPECT_EQ(Gakken(Heading("昆虫")).result, 1);  // 15 lines
  EXPECT_EQ(Gakken(Heading("昆虫"), 10).result, 0);
  EXPECT_EQ(Gakken(Heading("昆虫") + "<tr>\n", 10).result, 0);
}

TEST(GakkenScraper, NoSuchGoodsEndsTheScanAtOnce) {
  test::Scraped s = Gakken(Heading("該当商品はありません。") + "<img src=\"/goods_img/1.jpg\">\n" + Heading("昆虫"));
  EXPECT_EQ(s.result, 0);
  EXPECT_EQ(s.book.Title + s.book.Label + s.book.Publisher + s.book.CoverUrl, "");
}

TEST(GakkenScraper, FirstRealCoverWins) {
  test::Scraped s = Gakken(Heading("昆虫") + "<img src=\"/goods_img/nocover.gif\">\n" +
                           "<img src=\"/goods_img/1.jpg\" alt=\"\">\n<img src=\"/goods_img/2.jpg\">\n");
  EXPECT_EQ(s.book.CoverUrl, "http://shop.gakken.co.jp/goods_img/1.jpg");
  EXPECT_EQ(Gakken(Heading("昆虫") + "<img src=\"/goods_img/nocover.gif\">\n").book.CoverUrl, "");
}

// The plain cell replaces the description unless its text holds markup;
// the parts below are appended, the profile last.
TEST(GakkenScraper, DescriptionParts) {
  std::string part = "<td class=\"cl3\">内容<br>続き</td>\n";
  std::string filler;
  for (int i = 0; i < 10; ++i) filler += "<tr>\n";
  test::Scraped s = Gakken(Heading("昆虫") + "<td colspan=\"2\" class=\"cl3\">\n紹介文\n" +
                           "<td colspan=\"2\" class=\"cl3\">\n<b>太字</b>\n" + part + filler +
                           "<td class=\"cm3\">商品説明</td>\n<td>【著者プロフィール】</td>\n<tr>\n<tr>\n" + part +
                           "<td colspan=\"2\" class=\"cl3\">\n後の紹介\n");
  EXPECT_EQ(s.book.Description,
            Sj("紹介文\r\n\r\n内容\r\n続き\r\n\r\n【著者プロフィール】\r\n内容\r\n続き"));
}

}  // namespace
}  // namespace okuzuke
