#include "core/search_links.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

TEST(SearchStages, TakeTheFirstLinkOfTheirPage) {
  using test::Sj;
  struct Case {
    SearchStage stage;
    const char* site;
    std::vector<std::string> page;
    std::optional<std::string> url;
    ScraperId scraper;
  } cases[] = {
      {SearchStage::SBook, "http://s",
       {"<ul>", "<li><a href=\"slib_detail?isbn=9784592111111\">A</a>",
        "<li><a href=\"slib_detail?isbn=9784592222222\">B</a>"},
       "http://s/plsql/slib_detail?isbn=9784592111111", ScraperId::SBook},
      {SearchStage::SBook, "http://s", {"no hits"}, std::nullopt, ScraperId::SBook},
      {SearchStage::Kadokawa, "http://k",
       {"<td><a href=\"/comic/bk_search.php?pcd=321\">X</a></td>"},
       "http://k/comic/bk_search.php?pcd=321", ScraperId::Kadokawa},
      {SearchStage::Enterbrain, "http://e",
       {"<p>no product here</p>",
        "<dt><a href=\"http://e/product/comic/12/\" target=\"_top\">Title</a>"},
       "http://e/product/comic/12/", ScraperId::Enterbrain},
      {SearchStage::Enterbrain, "http://e",
       {"<dt><a href=\"/product/comic/13/\" target=\"_top\">Title</a>"},
       "http://e/product/comic/13/", ScraperId::Enterbrain},
      {SearchStage::MediaFactory, "http://m",
       {"<td class=\"author\"><h4><a href=\"/bunkoj/book/12/\">T</a></h4></td>"},
       "http://m/bunkoj/book/12/", ScraperId::MediaFactoryNew},
      {SearchStage::MediaFactory, "http://m",
       {"<td class=\"author\"><h4><a href=\"http://m/comic/1/\">T</a></h4></td>"},
       "http://m/comic/1/", ScraperId::MediaFactoryOld},
      {SearchStage::MediaFactory, "http://m",
       {Sj("<p>このキーワードでの検索結果は0件です。</p>"),
        "<td class=\"author\"><h4><a href=\"/bunkoj/book/12/\">T</a></h4></td>"},
       std::nullopt, ScraperId::MediaFactoryNew},
      {SearchStage::MediaFactory, "http://m",
       {Sj("<!--ページ送りここから-->"),
        "<td class=\"author\"><h4><a href=\"/bunkoj/book/12/\">T</a></h4></td>"},
       std::nullopt, ScraperId::MediaFactoryNew},
  };
  for (const auto& c : cases) {
    auto hit = FindDetailLink(c.stage, c.site, c.page);
    ASSERT_EQ(hit.has_value(), c.url.has_value()) << c.page[0];
    if (!hit) continue;
    EXPECT_EQ(hit->url, *c.url);
    EXPECT_EQ(hit->scraper, c.scraper);
  }
}

TEST(SearchStages, MediaFactorySearchPageIsConvertedFromEucJp) {
  // "検索結果は0件です" style text arrives in EUC-JP; 亜 is B0 A1 there.
  auto lines = SearchPageLines(SearchStage::MediaFactory, "a\xB0\xA1\r\nb");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "a\x88\x9F");
}

}  // namespace
}  // namespace okuzuke
