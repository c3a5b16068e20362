#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

// A "<title>" block (title, authors, label lines), further lines, and
// enough filler that all of them are tested.
test::Scraped Shueisha(const std::string& title, const std::string& authors = "作者",
                       const std::string& more = "") {
  std::string page = "<html>\n<title>\n" + title + "\n" + authors + "\nジャンプ・コミックス｜集英社\n</title>\n" + more;
  for (int i = 0; i < 8; ++i) page += "<br>\n";
  return test::ScrapePage("shueisha", page);
}

TEST(ShueishaScraper, SplitsTheTitleLineAtSlashes) {
  struct Case {
    const char* line;
    int result;
    const char* title;
    const char* volume;
    const char* subtitle;
  } cases[] = {
      {"星の町/12", 1, "星の町", "12", ""},
      {"星の町／外伝", 1, "星の町", "", "外伝"},
      {"星の町/外伝/3", 1, "星の町", "3", "外伝"},
      {"星の町/2/外伝", 1, "星の町", "2", "外伝"},
      {"<b>星の町</b>｜/第2部/3", 1, "星の町", "第2部", "3"},  // "第2部" holds a digit
      {"星の町", 1, "星の町", "", ""},
      {"a/b/c/d/e", 0, "a", "", ""},
      {"<meta name=\"keywords\" content=\"\">", 0, "", "", ""},  // no title on the line
  };
  for (const auto& c : cases) {
    test::Scraped s = Shueisha(c.line);
    EXPECT_EQ(s.result, c.result) << c.line;
    EXPECT_EQ(s.book.Title, Sj(c.title)) << c.line;
    EXPECT_EQ(s.book.Volume, Sj(c.volume)) << c.line;
    EXPECT_EQ(s.book.Subtitle, Sj(c.subtitle)) << c.line;
  }
}

TEST(ShueishaScraper, AuthorFieldsAndTheirProfileLines) {
  test::Scraped three = Shueisha("星の町/1", "甲野／乙川／丙田",
                                 "<td>丙田 解説</td>\n<td>乙川（おつかわ）漫画家。</td>\n<td>甲野（こうの）作家。</td>\n"
                                 "<td>甲野 再掲</td>\n");
  EXPECT_EQ(three.book.Author1, Sj("甲野"));
  EXPECT_EQ(three.book.Author2, Sj("乙川"));
  EXPECT_EQ(three.book.OtherAuthors, Sj("丙田\r\n乙川（おつかわ）漫画家。\r\n甲野（こうの）作家。"));

  test::Scraped oneLine = Shueisha("星の町/1", "甲野/乙川", "<td>甲野・乙川 対談</td>\n<td>甲野 再掲</td>\n");
  EXPECT_EQ(oneLine.book.OtherAuthors, Sj("甲野・乙川 対談\r\n甲野・乙川 対談"));

  test::Scraped single = Shueisha("星の町/1", "甲野", "<td>甲野（こうの）作家。</td>\n");
  EXPECT_EQ(single.book.Author1, Sj("甲野"));
  EXPECT_EQ(single.book.OtherAuthors, "");
}

}  // namespace
}  // namespace okuzuke
