// Every built publisher scraper on its realistic book page, and on pages that
// are damaged or hostile.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <random>

#include "scrape_pages.h"
#include "scraping/scrape_report.h"
#include "text/charset.h"

namespace okuzuke {
namespace {

using test::Fixture;
using test::ScrapeBytes;

const char* const kKeys[] = {"shogakukan", "shueisha", "maggarden", "houbunsha", "ohzora",
                             "mediafactory", "enterbrain", "futabasha", "asciimw", "akita", "wani", "gakken",
                             "sbook", "kodansha", "kadokawa", "mediafactory-old"};

std::string BookPage(const std::string& key) { return Fixture("pages/" + key + "/book.html"); }

TEST(PublisherPages, BookPagesGiveTheirExpectedRecords) {
  for (std::string key : kKeys) {
    test::Scraped scraped = ScrapeBytes(key, BookPage(key));
    EXPECT_EQ(FormatScrapeReport(scraped.result, scraped.book), Fixture("pages/" + key + "/book.expected"))
        << key;
  }
}

// The other pages saved beside a book page (a not-found page, a second
// imprint's page), each with its expected record.
TEST(PublisherPages, OtherSavedPagesGiveTheirExpectedRecords) {
  for (std::string key : kKeys) {
    const std::filesystem::path folder = std::filesystem::path(OKUZUKE_FIXTURES) / "pages" / key;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      std::filesystem::path expected = entry.path();
      if (expected.extension() != ".expected" || expected.stem() == "book") continue;
      std::string page = "pages/" + key + "/" + expected.stem().string();
      test::Scraped scraped = ScrapeBytes(key, Fixture(page + ".html"));
      EXPECT_EQ(FormatScrapeReport(scraped.result, scraped.book), Fixture(page + ".expected")) << page;
    }
  }
}

TEST(PublisherPages, MissingPageGivesZeroAndTouchesNothing) {
  for (std::string key : kKeys) {
    TBase book;
    book.Title = "kept";
    Dictionary authors;
    bool stop = false;
    ScrapeContext ctx{book, authors, stop};
    EXPECT_EQ(FindScraper(key)->scrape("/nonexistent/Temp.html", ctx), 0) << key;
    EXPECT_EQ(book.Title, "kept");
  }
}

// The page cut just after the first byte of its last "の", in the page's own
// encoding.
std::string CutInsideCharacter(const std::string& key, const std::string& page) {
  std::string no = test::ServedPage(key, "\xE3\x81\xAE");  // の
  if (no.size() > 3) no = no.substr(3);                    // without the byte order mark
  std::size_t at = page.rfind(no);
  return page.substr(0, at + 1);
}

// A damaged page may give 0 or a partial record, or the invalid UTF-8
// error that ends the code's lookup; it must never crash.
void ExpectSurvives(const std::string& key, const std::string& page, const char* what) {
  try {
    int result = ScrapeBytes(key, page).result;
    EXPECT_TRUE(result == 0 || result == 1) << key << ", " << what;
  } catch (const Utf8Error&) {
  }
}

TEST(PublisherPages, DamagedPagesNeverCrash) {
  std::mt19937 random(20240601);
  std::string noise(256 * 1024, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  for (std::string key : kKeys) {
    std::string page = BookPage(key);
    std::string oneLine;
    for (char c : page) oneLine += (c == '\r' || c == '\n') ? ' ' : c;
    std::string enormous = oneLine;
    while (enormous.size() < 3 * 1024 * 1024) enormous += oneLine.substr(3);
    ExpectSurvives(key, noise, "random bytes");
    ExpectSurvives(key, "", "empty page");
    ExpectSurvives(key, enormous, "one enormous line");
    ExpectSurvives(key, enormous + std::string(12, '\n'), "one enormous line, then empty lines");
    ExpectSurvives(key, CutInsideCharacter(key, page), "cut inside a character");
  }
}

// Markers whose rules read ahead of their line (Shueisha's profile search,
// Ohzora's item list), repeated on every few lines of a large page: the page
// must still be done in a few passes, not in quadratic time and memory.
TEST(PublisherPages, ReadAheadMarkersOnEveryLineStayLinear) {
  std::string shueisha, ohzora = "<h2 class=\"t\">T</h2>\r\n";
  for (int i = 0; i < 20000; ++i) shueisha += "<title>\r\nT/1\r\nAa/Zz\r\nAa\r\n";
  for (int i = 0; i < 80000; ++i) ohzora += "<ul>\r\n";
  // Wani's page has no last field, so nothing ends its scan early.
  std::string wani = "<th><img src=\"item_detail_title.gif\" />T</th>\n";
  for (int i = 0; i < 5000; ++i) wani += "<td class=\"contents\">\n<th>著者</th>\n";
  const auto start = std::chrono::steady_clock::now();
  auto fromShueisha = ScrapeBytes("shueisha", shueisha);
  auto fromOhzora = ScrapeBytes("ohzora", ohzora);
  auto fromWani = ScrapeBytes("wani", wani);
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(fromShueisha.result, 1);
  EXPECT_EQ(fromOhzora.result, 1);
  EXPECT_EQ(fromWani.result, 1);
  EXPECT_LT(fromShueisha.book.OtherAuthors.size(), 16 * shueisha.size());
  EXPECT_LT(seconds, 10.0);
}

}  // namespace
}  // namespace okuzuke
