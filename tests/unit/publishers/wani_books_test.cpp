#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitle =
    "<th><img src=\"/img/item_detail_title.gif\" />【先行予約】 夏の島</th><td><div><a href=\"/a\">著者</a>甲野</div>\n";
const std::string kCover = "<img src=\"http://www.wani.co.jp/img/img/";

test::Scraped Wani(const std::string& lines) { return test::ScrapePage("wani", lines + "</html>\n"); }

TEST(WaniBooksScraper, TheTitleRowAloneFindsTheBook) {
  const std::string rows = "<th>発売日</th>\n<td>2009年07月24日</td>\n<th>定価</th>\n<td>&yen;1,260(税込)</td>\n";
  test::Scraped without = Wani(rows);
  EXPECT_EQ(without.result, 0);
  EXPECT_EQ(without.book.Price, "1260");  // read, but no book
  test::Scraped with = Wani(rows + kTitle);
  EXPECT_EQ(with.result, 1);
  EXPECT_EQ(with.book.Title + "/" + with.book.Author1 + "/" + with.book.ReleaseYear, Sj("夏の島/甲野/2009"));
}

TEST(WaniBooksScraper, SorryImageIsNoCover) {
  test::Scraped s = Wani(kTitle + kCover + "1.jpg\" width=\"240\" />\n" + kCover + "sorry.gif\" width=\"240\" />\n");
  EXPECT_EQ(s.book.CoverUrl, "http://www.wani.co.jp/img/img/1.jpg");
}

// Author and photographer rows run to the cell's end; the description row
// leaves out its coloured notes; nothing ends the scan early.
TEST(WaniBooksScraper, RowsOverSeveralLines) {
  test::Scraped s = Wani(kTitle + "<th>カメラマン</th>\n<td>\n乙川\n</td>\n" +
                         "<td class=\"contents\">\n<font color=\"red\">特典</font>\n本文<br />\n　続き\n</tr>\n" +
                         "<th>カテゴリ</th>\n<td><img src=\"i.gif\" />写真集</td>\n");
  EXPECT_EQ(s.book.Author1 + "/" + s.book.Author2, Sj("乙川/甲野"));
  EXPECT_EQ(s.book.Description, Sj("本文 続き"));
  EXPECT_EQ(s.book.Label, Sj("写真集"));
}

}  // namespace
}  // namespace okuzuke
