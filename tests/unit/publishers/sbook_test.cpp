#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kTitleRow =
    "<tr><th class=\"item\">書名</th><td class=\"title\"><b>花冠のシンフォニア　4</b></td></tr>\n";

test::Scraped SBook(const std::string& lines) { return test::ScrapePage("sbook", lines); }

TEST(SBookScraper, FoundOnlyWhenTheTitleRowGivesATitle) {
  EXPECT_EQ(SBook(kTitleRow).result, 1);
  EXPECT_EQ(SBook("<tr><th class=\"item\">書名</th><td class=\"title\"><b></b></td></tr>\n").result, 0);
}

TEST(SBookScraper, PublisherComesFromThePageAndABlankRowNamesNone) {
  const std::string row = "<tr><th class=\"item\">出版社</th>";
  EXPECT_EQ(SBook(kTitleRow + row + "<td> 祥伝社 </td></tr>\n").book.Publisher, Sj("祥伝社"));
  EXPECT_EQ(SBook(kTitleRow + row + "<td></td></tr>\n").book.Publisher, "");
}

TEST(SBookScraper, CreditsKeepThePagesOrder) {
  test::Scraped s = SBook(kTitleRow + "<tr><th class=\"item\">著者名</th>" +
                          "<td><a>原作：有馬 透</a>／<a>作画：桐生あおい</a></td></tr>\n");
  EXPECT_EQ(s.book.Author1, Sj("有馬 透"));
  EXPECT_EQ(s.book.Author2, Sj("桐生あおい"));
}

}  // namespace
}  // namespace okuzuke
