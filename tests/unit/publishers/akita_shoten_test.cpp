#include <gtest/gtest.h>

#include "scrape_pages.h"

namespace okuzuke {
namespace {

using test::Sj;

// A heading image with its value three lines below it.
std::string Field(const std::string& image, const std::string& value) {
  return "<td><img src=\"images/" + image + ".gif\"></td>\n</tr>\n<tr><td>\n" + value + "\n";
}

test::Scraped Akita(const std::string& fields) {
  return test::ScrapePage("akita", fields + "</td>\n</tr>\n</table>\n</html>\n");
}

TEST(AkitaShotenScraper, VolumeLineReplacesTheTitlesVolumeUnlessEmpty) {
  struct Case {
    const char* line;
    const char* volume;
  } cases[] = {{"第12巻", "12"}, {"第巻", "5"}, {"", "5"}};
  for (const auto& c : cases)
    EXPECT_EQ(Akita(Field("sakuhin_02", "月影　第5巻") + Field("sakuhin_07", c.line)).book.Volume, Sj(c.volume))
        << c.line;
}

TEST(AkitaShotenScraper, LabelLineGivesTheSizeAfterAFullWidthSpace) {
  test::Scraped both = Akita(Field("sakuhin_02", "月影") + Field("sakuhin_03", " 少年チャンピオン・コミックス　新書判 "));
  EXPECT_EQ(both.book.Label + "/" + both.book.BookSize, Sj("少年チャンピオン・コミックス/新書"));
  test::Scraped labelOnly = Akita(Field("sakuhin_02", "月影") + Field("sakuhin_03", "ボニータ・コミックス"));
  EXPECT_EQ(labelOnly.book.Label + "/" + labelOnly.book.BookSize, Sj("ボニータ・コミックス/"));
}

TEST(AkitaShotenScraper, NoTitleNoBook) {
  EXPECT_EQ(Akita(Field("sakuhin_02", " 　") + Field("sakuhin_04", "420円")).result, 0);
  EXPECT_EQ(Akita(Field("sakuhin_04", "420円")).result, 0);
  test::Scraped priced = Akita(Field("sakuhin_02", "月影") + Field("sakuhin_04", "1,050円（税込）"));
  EXPECT_EQ(priced.result, 1);
  EXPECT_EQ(priced.book.Price, "1050");
}

TEST(AkitaShotenScraper, OnlyLinesUpToFourFromTheEndAreTested) {
  EXPECT_EQ(test::ScrapePage("akita", Field("sakuhin_02", "月影")).result, 1);
  EXPECT_EQ(test::ScrapePage("akita", "<td><img src=\"images/sakuhin_02.gif\"></td>\n<tr>\n月影\n").result, 0);
}

}  // namespace
}  // namespace okuzuke
