#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

const std::string kHeading = "<h2 class=\"bookTitle\">蒼穹のアルケミスト（５）</h2>\n";

test::Scraped Kodansha(const std::string& lines) { return test::ScrapePage("kodansha", lines); }

TEST(KodanshaScraper, FoundOnlyWhenTheHeadingGivesATitle) {
  EXPECT_EQ(Kodansha(kHeading).result, 1);  // even as the page's only line
  EXPECT_EQ(Kodansha("<h2 class=\"bookTitle\"> <span></span> </h2>\n<dt>定価</dt><dd>440円</dd>\n").result, 0);
  EXPECT_EQ(Kodansha("<h2 class=\"other\">蒼穹</h2>\n").result, 0);
}

TEST(KodanshaScraper, ParticularsAsThePageWritesThem) {
  test::Scraped s = Kodansha(kHeading + "<dt>定価</dt><dd>1,260円（税込）</dd>\n" +
                             "<div class=\"bookCover\"><img src=\"/bc2_bc/img/nowprinting.gif\" /></div>\n" +
                             "<div class=\"bookIntro\">一行で<br />閉じる紹介</div>\n" +
                             "<div class=\"bookIntro\">次</div>\n");
  EXPECT_EQ(s.book.Price, "1260");
  EXPECT_EQ(s.book.CoverUrl, "");  // the placeholder is no cover
  EXPECT_EQ(s.book.Description, Sj("一行で\r\n閉じる紹介"));
}

}  // namespace
}  // namespace okuzuke
