#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

std::string TitleBlock(const std::string& title) {
  return "<div class=\"bookblock_title\">\n<h2><strong>" + title + "</strong><br>(よみ)<br></h2>\n";
}
const std::string kWriter = "<span class=\"au\">著 ：</span>甲野<span>（こうの）</span><br>\n";
const std::string kArtist = "\t<span class=\"au\">画 ：</span>乙川<span>（おつかわ）</span><br>\n";

// The page (UTF-8, as served) saved beside the private marker file, so the rating shows.
test::Scraped WithPrivateMarker(const std::string& page) {
  test::TempDir dir;
  std::string path = dir.Write("Temp.html", page);
  dir.Write("Temp.html.pelmar_private", "");
  test::Scraped scraped;
  Dictionary authors;
  const bool stop = false;
  ScrapeContext ctx{scraped.book, authors, stop};
  scraped.result = FindScraper("futabasha")->scrape(path, ctx);
  return scraped;
}

TEST(FutabashaScraper, TheCompletedMarkIsDropped) {
  struct Case {
    const char* strong;
    const char* title;
  } cases[] = {{"星の町 完", "星の町"}, {"星の町完", "星の町完"}, {"星の町&nbsp;完", "星の町"}, {"完全版 星の町", "完全版 星の町"}};
  for (const auto& c : cases) {
    test::Scraped s = test::ScrapePage("futabasha", TitleBlock(c.strong));
    EXPECT_EQ(s.result, 1);
    EXPECT_EQ(s.book.Title, Sj(c.title)) << c.strong;
    EXPECT_EQ(s.book.TitleReading, Sj("よみ"));
  }
}

TEST(FutabashaScraper, CreditTextOnlyWhenBothAuthorsAreNamed) {
  test::Scraped both = test::ScrapePage("futabasha", TitleBlock("星の町") + kWriter + kArtist);
  EXPECT_EQ(both.book.Author1 + both.book.Author1Reading, Sj("甲野こうの"));
  EXPECT_EQ(both.book.Author2 + both.book.Author2Reading, Sj("乙川おつかわ"));
  EXPECT_EQ(both.book.OtherAuthors, Sj("著 ：甲野\r\n画 ：乙川"));
  test::Scraped writerOnly = test::ScrapePage("futabasha", TitleBlock("星の町") + kWriter);
  EXPECT_EQ(writerOnly.book.Author1, Sj("甲野"));
  EXPECT_EQ(writerOnly.book.OtherAuthors, "");
}

// The adult-section tab is still seen on the line that ends the scan.
TEST(FutabashaScraper, AdultSectionTabRatesTheBook) {
  const std::string description = "<strong>本の紹介</strong>\n紹介</span>\n";
  const std::string tab = "<img src=\"assets/img/0-navi/common/header/tab_f3.gif\">";
  EXPECT_EQ(WithPrivateMarker(TitleBlock("星") + description).book.AgeRating, Sj("全年齢"));
  test::Scraped adult = WithPrivateMarker(TitleBlock("星") + "<strong>本の紹介</strong>" + tab + "\n紹介\n");
  EXPECT_EQ(adult.book.AgeRating, Sj("成年"));
  EXPECT_EQ(adult.book.Description, Sj("紹介"));
  EXPECT_EQ(WithPrivateMarker(TitleBlock("星") + description + tab + "\n").book.AgeRating, Sj("全年齢"));
}

}  // namespace
}  // namespace okuzuke
