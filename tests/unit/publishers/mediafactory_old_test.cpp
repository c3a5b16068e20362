#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitle = "<td class=\"book_title\">ひとりぼっちの惑星　第２巻</td>\n";

test::Scraped MediaFactoryOld(const std::string& lines) { return test::ScrapePage("mediafactory-old", lines); }

TEST(MediaFactoryOldScraper, FoundOnlyWhenTheTitleCellGivesATitle) {
  EXPECT_EQ(MediaFactoryOld(kTitle).result, 1);
  EXPECT_EQ(MediaFactoryOld("<td class=\"book_title\"></td>\n").result, 0);
}

TEST(MediaFactoryOldScraper, SizeAndPagesCell) {
  struct Case {
    const char* cell;
    const char* size;
    const char* pages;
  } cases[] = {
      {"<td>B6判／164ページ</td>", "B6", "164"},
      {"<td>Ａ５判</td>", "A5", ""},  // no pages: all of it is the size
  };
  for (const Case& c : cases) {
    test::Scraped s = MediaFactoryOld(kTitle + "<th>判型／頁数</th>\n" + c.cell + "\n");
    EXPECT_EQ(s.book.BookSize, c.size) << c.cell;
    EXPECT_EQ(s.book.PageCount, c.pages) << c.cell;
  }
}

TEST(MediaFactoryOldScraper, DescriptionStartsAfterTheCellsOpeningTag) {
  test::Scraped s = MediaFactoryOld(kTitle + "<td class=\"book_intro\" colspan=\"2\">一行目<br>\n二行目\n</td>\n");
  EXPECT_EQ(s.book.Description, Sj("一行目\r\n二行目"));
}

}  // namespace
}  // namespace okuzuke
