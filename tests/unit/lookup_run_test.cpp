#include "core/lookup_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "test_support.h"
#include "text/charset.h"
#include "text/file_io.h"
#include "text/sjis.h"

namespace okuzuke {
namespace {

using test::Sj;

// A host that serves pages from memory and records what the run asked for.
class FakeHost : public HostServices {
 public:
  std::map<std::string, std::string> pages;  // url -> page
  std::set<std::string> unreachable;
  std::vector<std::string> connects, downloads;
  std::vector<std::chrono::milliseconds> connectTimes;  // on the run's clock
  const std::chrono::milliseconds* clock = nullptr;

  std::string CheckIsbn(const std::string& code) override {
    std::string digits;
    for (char c : code)
      if (c != '-') digits += c;
    if (digits.size() == 10) return "978" + digits.substr(0, 9) + "0";  // check digit not needed
    return (digits.size() == 13 || digits.size() == 26) ? digits : std::string();
  }
  bool CanConnect(const std::string& url) override {
    connects.push_back(url);
    if (clock) connectTimes.push_back(*clock);
    return unreachable.count(url) == 0;
  }
  void Download(const std::string& destPath, const std::string& url) override {
    downloads.push_back(url);
    auto page = pages.find(url);
    if (page != pages.end()) WriteWholeFile(destPath, page->second);
  }
};

// Finds a book on any page holding "FOUND title"; throws on "BROKEN".
int FakeScraper(const std::string& pagePath, ScrapeContext& ctx) {
  auto page = ReadWholeFile(pagePath);
  if (!page) return 0;
  if (Contains(*page, "BROKEN")) throw Utf8Error();
  std::string title = std::string(TrimView(Before(*page + "\n", "\n")));
  if (title.rfind("FOUND ", 0) != 0) return 0;
  ctx.book.Title = title.substr(6);
  ctx.book.Volume = Sj("１２");
  return 1;
}

// Makes a record of an answer "CATALOGUE title"; anything else is no hit.
int FakeCatalogue(const std::string& path, std::string_view isbn13, TBase& book, const Dictionary&) {
  ClearBookRecord(book);
  auto answer = ReadWholeFile(path);
  if (!answer || answer->rfind("CATALOGUE ", 0) != 0) return 0;
  book.Isbn = isbn13;
  book.Title = answer->substr(10);
  return 1;
}

constexpr const char* kShueishaUrl =
    "http://books.shueisha.co.jp/CGI/search/syousai_put.cgi?isbn_cd=978-4-08-870000-1&mode=1";
constexpr const char* kShogakukanUrl =
    "http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=9784091234567";
constexpr const char* kHoubunshaUrl =
    "http://www.houbunsha.co.jp/cgi-local/cgi/_comicView_2.pl?isbn=978-4-8322-1234-5";

class LookupRunTest : public ::testing::Test {
 protected:
  test::TempDir work;
  FakeHost host;
  std::vector<std::string> messages;
  int pumps = 0;
  int stopAtPump = 0;  // 0: never
  RunContext ctx;
  std::chrono::milliseconds clock{0};  // what the run's clock reads
  std::vector<std::chrono::milliseconds> pauses;
  bool stopInPause = false;  // the stop button is clicked while the run waits

  RunEnd Run(std::vector<std::string> lines) {
    ctx.workFolder = work.Path();
    ctx.tenDigitInput = !lines.empty() && !lines[0].empty() && lines[0][0] != '9';
    RunPorts ports{host,
                   [this] {
                     if (++pumps == stopAtPump) ctx.stop = true;
                   },
                   [this](const std::string& m) { messages.push_back(m); },
                   work.Path() + "Setting.ini",
                   [](ScraperId) -> ScraperFn { return FakeScraper; }};
    ports.catalogueRecord = FakeCatalogue;
    host.clock = &clock;
    ports.now = [this] { return std::chrono::steady_clock::time_point(clock); };
    ports.pause = [this](std::chrono::milliseconds ms) {
      pauses.push_back(ms);
      clock += ms;
      if (stopInPause) ctx.stop = true;
    };
    return LookupLines(ctx, ports, std::move(lines), ResultPath());
  }
  std::string resultPath;  // empty: result.txt in the work folder
  std::string ResultPath() const { return resultPath.empty() ? work.Path() + "result.txt" : resultPath; }
  std::vector<std::vector<std::string>> Records() const {
    std::vector<std::vector<std::string>> records;
    for (const auto& line : LoadLines(ResultPath()).value_or(std::vector<std::string>{}))
      records.push_back(SplitCommaText(line));
    return records;
  }
};

TEST_F(LookupRunTest, FoundBooksBecomeCompletedRecords) {
  host.pages[kShueishaUrl] = "FOUND One";
  host.pages[kShogakukanUrl] = "nothing here";
  EXPECT_EQ(Run({"9784088700001", "9784091234567", "9784101234567"}), RunEnd::Completed);
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][0], "9784088700001");
  EXPECT_EQ(records[0][1], "One");
  EXPECT_EQ(records[0][4], "12");  // volume normalised
  EXPECT_EQ(records[0][20], Sj("購入"));  // column 21 is field 20
  EXPECT_EQ(records[0][22], "0");   // TaxFlag
  EXPECT_EQ(records[0][46], Sj("既読"));  // field 45 after the two empty columns
  // The unknown prefix 978410 was never fetched.
  EXPECT_EQ(host.downloads, (std::vector<std::string>{kShueishaUrl, kShogakukanUrl}));
}

TEST_F(LookupRunTest, AddOnCodeFillsClassificationAndPrice) {
  host.pages[kShogakukanUrl] = "FOUND Two";
  Run({"97840912345671920979004204"});
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][0], "9784091234567");
  EXPECT_EQ(records[0][10], "0979");
  EXPECT_EQ(records[0][21], "420");  // field 21 after the empty column 20
}

TEST_F(LookupRunTest, StopSavesWhatWasFound) {
  host.pages[kShueishaUrl] = "FOUND One";
  host.pages[kShogakukanUrl] = "FOUND Two";
  stopAtPump = 2;
  EXPECT_EQ(Run({"9784088700001", "9784091234567"}), RunEnd::Stopped);
  ASSERT_EQ(Records().size(), 1u);
  EXPECT_EQ(host.downloads.size(), 1u);
}

TEST_F(LookupRunTest, LostConnectionShowsTheMessageAndSavesWhatWasFound) {
  host.pages[kShueishaUrl] = "FOUND One";
  host.pages[kHoubunshaUrl] = "FOUND Three";
  host.unreachable.insert(kShogakukanUrl);
  EXPECT_EQ(Run({"9784088700001", "9784091234567", "9784832212345"}), RunEnd::ConnectionLost);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Sj("インターネットに接続されていません") + "\r\n" + kShogakukanUrl);
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][1], "One");
  EXPECT_EQ(host.connects.size(), 2u);  // the run ended at the lost connection
}

// A result file that cannot be written is told to the user with its path,
// whether the disk is full or the folder is gone.
TEST_F(LookupRunTest, AResultFileThatCannotBeSavedIsShown) {
  const std::string notSaved = Sj("結果ファイルを保存できませんでした。") + "\r\n";
  host.pages[kShueishaUrl] = "FOUND One";
  {
    test::FileSizeLimit fullDisk(64);  // room for the page, not for the record
    EXPECT_EQ(Run({"9784088700001"}), RunEnd::Completed);
  }
  EXPECT_FALSE(FileExists(ResultPath()));
  EXPECT_EQ(messages, (std::vector<std::string>{notSaved + ResultPath()}));

  messages.clear();
  resultPath = work.Path() + "gone/result.txt";
  Run({"9784088700001"});
  EXPECT_EQ(messages, (std::vector<std::string>{notSaved + resultPath}));
}

TEST_F(LookupRunTest, AFailingCodeIsSkippedAndTheRunGoesOn) {
  host.pages[kShueishaUrl] = "BROKEN";
  host.pages[kHoubunshaUrl] = "FOUND Three";
  Run({"9784088700001", "978408", "", "not an isbn", "9784832212345"});
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][1], "Three");
}

TEST_F(LookupRunTest, APageLeftByTheLastRequestIsNotScrapedAgain) {
  host.pages[kShueishaUrl] = "FOUND One";  // the Shogakukan page is never stored
  Run({"9784088700001", "9784091234567"});
  EXPECT_EQ(Records().size(), 1u);
}

TEST_F(LookupRunTest, TwoStageSearchFollowsTheLink) {
  const std::string search = "http://www.s-book.net/plsql/slib_search?pat=i&text=9784592123456";
  const std::string detail = "http://www.s-book.net/plsql/slib_detail?isbn=9784592123456";
  host.pages[search] = "<a href=\"slib_detail?isbn=9784592123456\">hit</a>";
  host.pages[detail] = "FOUND Hakusensha";
  Run({"9784592123456"});
  EXPECT_EQ(host.downloads, (std::vector<std::string>{search, detail}));
  ASSERT_EQ(Records().size(), 1u);
}

TEST_F(LookupRunTest, KadokawaSearchWithoutAHitFallsBack) {
  const std::string fallback = "http://asciimw.jp/search/isbn/978-4-04-123456-7";
  host.pages[fallback] = "FOUND Fallback";
  Run({"9784041234567"});
  ASSERT_EQ(host.downloads.size(), 2u);
  EXPECT_EQ(host.downloads[1], fallback);
  ASSERT_EQ(Records().size(), 1u);
}

TEST_F(LookupRunTest, SearchWithoutAHitSkipsTheCode) {
  Run({"9784592123456"});
  EXPECT_EQ(host.downloads.size(), 1u);
  EXPECT_TRUE(Records().empty());
  EXPECT_TRUE(FileExists(ResultPath()));  // an empty result file
}

TEST_F(LookupRunTest, ClassificationLinesAreReadFromTheCleanedCode) {
  host.pages["http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=4091234569"] = "FOUND Four";
  Run({"4091234569 1979 0450"});  // typed with blanks between the parts
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][0], "4091234569");
  EXPECT_EQ(records[0][10], "1979");
  EXPECT_EQ(records[0][21], "450");
}

// The national library catalogue, asked for the codes no publisher gave.
class CatalogueRunTest : public LookupRunTest {
 protected:
  void Settings(const std::string& entry) { work.Write("Setting.ini", "[Entry]\r\n" + entry); }
  static std::string Ndl(const char* isbn) { return catalogue::CatalogueUrl(isbn); }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& record : Records()) titles.push_back(record[1]);
    return titles;
  }
};

TEST_F(CatalogueRunTest, OffByDefaultAndForAnyOtherValue) {
  for (const char* entry : {"", "Fallback=cinii\r\n", "Fallback=\r\n"}) {
    Settings(entry);
    host.pages[Ndl("9784101234567")] = "CATALOGUE Shincho";
    host.downloads.clear();
    Run({"9784101234567", "9784091234567"});
    EXPECT_EQ(host.downloads, (std::vector<std::string>{kShogakukanUrl})) << entry;
    EXPECT_TRUE(Records().empty());
  }
}

TEST_F(CatalogueRunTest, AskedOnlyForCodesWithoutARecord) {
  Settings("Fallback=NDL\r\nFallbackInterval=0\r\n");
  host.pages[kShueishaUrl] = "FOUND One";            // the publisher's record stands
  host.pages[kShogakukanUrl] = "nothing here";       // publisher miss
  host.pages[kHoubunshaUrl] = "BROKEN";              // a page the scraper cannot read
  host.pages[Ndl("9784091234567")] = "CATALOGUE Two";
  host.pages[Ndl("9784832212345")] = "CATALOGUE Three";
  host.pages[Ndl("9784101234567")] = "CATALOGUE Four";  // no publisher for the prefix
  host.pages[Ndl("9784592123456")] = "no hit";        // neither search nor catalogue
  EXPECT_EQ(Run({"9784088700001", "9784091234567", "9784832212345", "9784101234567", "not an isbn",
                 "9784592123456", "97840912345671920979004204"}),
            RunEnd::Completed);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"One", "Two", "Three", "Four", "Two"}));
  auto records = Records();
  EXPECT_EQ(records[1][20], Sj("購入"));  // completed like a publisher's record
  EXPECT_EQ(records[4][0], "9784091234567");  // the add-on code's parts
  EXPECT_EQ(records[4][10], "0979");
  EXPECT_EQ(std::count(host.downloads.begin(), host.downloads.end(), Ndl("9784088700001")), 0);
  EXPECT_TRUE(pauses.empty());
}

TEST_F(CatalogueRunTest, ADeadPublisherSiteNoLongerEndsTheRun) {
  Settings("Fallback=ndl\r\n");
  host.unreachable.insert(kShogakukanUrl);
  host.pages[Ndl("9784091234567")] = "CATALOGUE Two";
  host.pages[kHoubunshaUrl] = "FOUND Three";
  EXPECT_EQ(Run({"9784091234567", "9784832212345"}), RunEnd::Completed);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Two", "Three"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CatalogueRunTest, BothChecksFailingEndTheRunAsALostConnection) {
  Settings("Fallback=ndl\r\n");
  host.pages[kShueishaUrl] = "FOUND One";
  host.unreachable = {kShogakukanUrl, Ndl("9784091234567")};
  EXPECT_EQ(Run({"9784088700001", "9784091234567", "9784832212345"}), RunEnd::ConnectionLost);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Sj("インターネットに接続されていません") + "\r\n" + kShogakukanUrl + "\r\n" +
                             Ndl("9784091234567"));
  EXPECT_EQ(Titles(), (std::vector<std::string>{"One"}));
  EXPECT_EQ(host.connects.back(), Ndl("9784091234567"));  // the last code was not asked
}

TEST_F(CatalogueRunTest, RequestsStartAnIntervalApart) {
  Settings("Fallback=ndl\r\nFallbackInterval=1500\r\n");
  Run({"9784101234567", "9784101234574", "9784101234581"});
  ASSERT_EQ(host.connectTimes.size(), 3u);
  EXPECT_EQ(host.connectTimes[1] - host.connectTimes[0], std::chrono::milliseconds(1500));
  EXPECT_EQ(host.connectTimes[2] - host.connectTimes[1], std::chrono::milliseconds(1500));
}

TEST_F(CatalogueRunTest, StopWhileWaitingEndsTheRunAndKeepsTheRecords) {
  Settings("Fallback=ndl\r\n");
  host.pages[Ndl("9784101234567")] = "CATALOGUE Four";
  stopInPause = true;
  EXPECT_EQ(Run({"9784101234567", "9784101234574"}), RunEnd::Stopped);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Four"}));
  EXPECT_EQ(host.connects.size(), 1u);
}

TEST_F(LookupRunTest, TenDigitInputUsesIsbn10Addresses) {
  Run({"4091234569"});
  ASSERT_EQ(host.downloads.size(), 1u);
  EXPECT_EQ(host.downloads[0], "http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=4091234569");
}

}  // namespace
}  // namespace okuzuke
