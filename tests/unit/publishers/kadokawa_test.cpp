#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kHeading = "<h2 class=\"bk_title\">白銀のエクスプローラー（２）</h2>\n";
const std::string kFujimi = "<li><span class=\"ttl\">発行：</span><span class=\"val\">富士見書房</span></li>\n";

std::string CoverLine(const std::string& src) {
  return "<div class=\"bk_img\"><img src=\"" + src + "\" alt=\"\"></div>\n";
}

TEST(KadokawaScraper, CoverIsOnTheSiteOfTheImprintThePageNames) {
  struct Case {
    std::string page;
    std::string cover;
  } cases[] = {
      {CoverLine("/img/bk/1.jpg") + kHeading + kFujimi, "http://www.fujimishobo.co.jp/img/bk/1.jpg"},
      {kHeading + CoverLine("img/bk/2.jpg"), "http://www.kadokawa.co.jp/img/bk/2.jpg"},
      {kHeading + kFujimi + CoverLine("http://img.example.jp/3.jpg"), "http://img.example.jp/3.jpg"},
  };
  for (const Case& c : cases) {
    test::Scraped s = test::ScrapePage("kadokawa", c.page);
    EXPECT_EQ(s.result, 1);
    EXPECT_EQ(s.book.CoverUrl, c.cover) << c.page;
  }
}

TEST(KadokawaScraper, NoImprintNamedLeavesThePublisher) {
  test::Scraped s =
      test::ScrapePage("kadokawa", kHeading + "<li><span class=\"ttl\">発行：</span><span class=\"val\"></span></li>\n");
  EXPECT_EQ(s.book.Publisher, "");
  EXPECT_EQ(s.book.Title, Sj("白銀のエクスプローラー"));
  EXPECT_EQ(test::ScrapePage("kadokawa", "<h2 class=\"bk_title\"></h2>\n" + kFujimi).result, 0);
}

}  // namespace
}  // namespace okuzuke
