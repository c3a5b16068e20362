#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

std::string Title(const std::string& subtitle) {
  return "<IMG src=\"/search/images/t_title.gif\">\n<TD>\n<B>星の町（２）</B>\n<FONT>" + subtitle + "</FONT>\n";
}

test::Scraped AsciiMediaWorks(const std::string& lines) {
  return test::ScrapePage("asciimw", Title("外伝") + lines + "<BR>\n<BR>\n</BODY>\n");
}

TEST(AsciiMediaWorksScraper, SubtitleLineAndItsBracketedVolume) {
  struct Case {
    const char* subtitle;
    const char* expected;  // subtitle / volume
  } cases[] = {{"外伝", "外伝/2"}, {"外伝（３）", "外伝/3"}, {"外伝(上)", "外伝/上"}, {"", "/2"}, {"外伝)", "外伝)/2"}};
  for (const auto& c : cases) {
    test::Scraped s = test::ScrapePage("asciimw", Title(c.subtitle) + "<BR>\n<BR>\n</BODY>\n");
    EXPECT_EQ(s.result, 1);
    EXPECT_EQ(s.book.Title, Sj("星の町"));
    EXPECT_EQ(s.book.Subtitle + "/" + s.book.Volume, Sj(c.expected)) << c.subtitle;
  }
}

TEST(AsciiMediaWorksScraper, PriceIsBasePlusTax) {
  struct Case {
    const char* line;
    const char* price;
  } cases[] = {{"本体1,000円＋税50円", "1050"}, {"本体1,000円", "1000"}, {"税50円", "50"}, {"価格未定", ""}, {"本体0円", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(AsciiMediaWorks(std::string("<FONT size=\"-1\">価格</FONT><TD>") + c.line + "\n").book.Price, c.price)
        << c.line;
}

TEST(AsciiMediaWorksScraper, PublisherIsToldByTheIsbn) {
  struct Case {
    const char* lines;
    const char* publisher;
  } cases[] = {{"<FONT>ISBN : 978-4-8402-4123-6</FONT>\n", "メディアワークス"},
               {"<FONT>ISBN : 978-4-04-867012-3</FONT>\n", "アスキー･メディアワークス"},
               {"", "アスキー･メディアワークス"}};
  for (const auto& c : cases) EXPECT_EQ(AsciiMediaWorks(c.lines).book.Publisher, Sj(c.publisher)) << c.lines;
}

TEST(AsciiMediaWorksScraper, DescriptionBlockEndsTheScan) {
  EXPECT_EQ(AsciiMediaWorks("<div>一行の　紹介</div>後ろ\n次の行\n</div>\n").book.Description, Sj("一行の 紹介後ろ"));
  test::Scraped block = AsciiMediaWorks("<div>\n一行目<br>\n二行目\n</div>\n<FONT>ISBN : 978-4-8402-0000-0</FONT>\n");
  EXPECT_EQ(block.book.Description, Sj("一行目二行目"));
  EXPECT_EQ(block.book.Publisher, Sj("アスキー･メディアワークス"));
}

}  // namespace
}  // namespace okuzuke
