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

// The catalogue's answer, inline as the run asks for it, holding `records`
// (made by NdlRecord); `total` is its numberOfRecords, `next` its
// nextRecordPosition.
std::string NdlAnswer(const std::vector<std::string>& records, int total = -1, int next = 0) {
  std::string answer = "<searchRetrieveResponse xmlns='http://www.loc.gov/zing/srw/'><numberOfRecords>" +
                       std::to_string(total < 0 ? records.size() : total) + "</numberOfRecords><records>";
  for (const std::string& record : records) answer += record;
  answer += "</records>";
  if (next) answer += "<nextRecordPosition>" + std::to_string(next) + "</nextRecordPosition>";
  return answer + "</searchRetrieveResponse>";
}

// One record: a book with this ISBN (as the record writes it) and title,
// from the catalogue `category`, followed by the second resource that only
// links to holdings.
std::string NdlRecord(std::string_view isbn, std::string_view title, std::string_view category = "R100000002") {
  std::string record =
      "<record><recordPacking>xml</recordPacking><recordData><rdf:RDF "
      "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#' xmlns:dcterms='http://purl.org/dc/terms/' "
      "xmlns:dcndl='http://ndl.go.jp/dcndl/terms/'><dcndl:BibAdminResource rdf:about='https://ndlsearch.ndl.go.jp/"
      "books/";
  record += std::string(category) + "-" + std::string(isbn) + "'><dcndl:bibRecordCategory>" + std::string(category) +
            "</dcndl:bibRecordCategory></dcndl:BibAdminResource><dcndl:BibResource rdf:about='b'>"
            "<dcterms:identifier rdf:datatype='http://ndl.go.jp/dcndl/terms/ISBN'>" +
            std::string(isbn) + "</dcterms:identifier><dcterms:title>" + std::string(title) +
            "</dcterms:title></dcndl:BibResource><dcndl:BibResource rdf:about='b'><dcndl:record "
            "rdf:resource='h'/></dcndl:BibResource></rdf:RDF></recordData></record>";
  return record;
}

constexpr const char* kNoSuchRecord =
    "<searchRetrieveResponse xmlns='http://www.loc.gov/zing/srw/'><diagnostics><diagnostic "
    "xmlns='http://www.loc.gov/zing/srw/diagnostic/'><uri>info:srw/diagnostic/1/1</uri>"
    "<message>Record does not exist</message></diagnostic></diagnostics></searchRetrieveResponse>";

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
  static std::string Ndl(std::vector<std::string> isbns) { return catalogue::CatalogueBatchUrl(isbns); }
  // The n-th ISBN of a publisher without a dispatch row (prefix 978410).
  static std::string Isbn(int n) {
    std::string isbn = "978410" + std::to_string(100000 + n);
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += (isbn[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return isbn + static_cast<char>('0' + (10 - sum % 10) % 10);
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& record : Records()) titles.push_back(record[1]);
    return titles;
  }
  long CatalogueRequests() const {
    return std::count_if(host.downloads.begin(), host.downloads.end(),
                         [](const std::string& url) { return !catalogue::IsbnsAsked(url).empty(); });
  }
};

TEST_F(CatalogueRunTest, OffByDefaultAndForAnyOtherValue) {
  for (const char* entry : {"", "Fallback=cinii\r\n", "Fallback=\r\n"}) {
    Settings(entry);
    host.pages[Ndl({Isbn(1)})] = NdlAnswer({NdlRecord(Isbn(1), "Shincho")});
    host.downloads.clear();
    Run({Isbn(1), "9784091234567"});
    EXPECT_EQ(host.downloads, (std::vector<std::string>{kShogakukanUrl})) << entry;
    EXPECT_TRUE(Records().empty());
  }
}

// The codes no publisher gave are asked in one request once the publishers
// are done; each record takes its code's place in the list, every line of a
// listed-again code gets one, and the catalogue's records are completed like
// a publisher's.
TEST_F(CatalogueRunTest, OneRequestForTheCodesWithoutARecordInListOrder) {
  Settings("Fallback=NDL\r\nFallbackInterval=0\r\n");
  host.pages[kShueishaUrl] = "FOUND One";       // the publisher's record stands
  host.pages[kShogakukanUrl] = "nothing here";  // publisher miss
  host.pages[kHoubunshaUrl] = "BROKEN";         // a page the scraper cannot read
  const std::vector<std::string> asked = {"9784091234567", "9784832212345", Isbn(1), Isbn(2)};
  // Records in another order than asked, one by its ISBN-10, one of no code asked.
  host.pages[Ndl(asked)] = NdlAnswer({NdlRecord("4-10-100001-8", "Four"), NdlRecord(Isbn(9), "Other"),
                                      NdlRecord("978-4-8322-1234-5", "Three"), NdlRecord("9784091234567", "Two")});
  EXPECT_EQ(Run({"9784088700001", "9784091234567", "9784832212345", Isbn(1), "not an isbn", Isbn(2),
                 "97840912345671920979004204", Isbn(1)}),
            RunEnd::Completed);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"One", "Two", "Three", "Four", "Two", "Four"}));
  auto records = Records();
  EXPECT_EQ(records[1][20], Sj("購入"));
  EXPECT_EQ(records[3][0], Isbn(1));
  EXPECT_EQ(records[4][0], "9784091234567");  // the add-on code's parts
  EXPECT_EQ(records[4][10], "0979");
  EXPECT_EQ(CatalogueRequests(), 1);
  EXPECT_TRUE(pauses.empty());
}

// Of several records for one code, the library's own catalogue's; else the
// first with a title.
TEST_F(CatalogueRunTest, TheLibrarysOwnRecordIsChosen) {
  Settings("Fallback=ndl\r\nFallbackInterval=0\r\n");
  host.pages[Ndl({Isbn(1), Isbn(2)})] =
      NdlAnswer({NdlRecord(Isbn(1), "Prefectural", "R100000039"), NdlRecord(Isbn(2), ""),
                 NdlRecord(Isbn(2), "Braille", "R100000074"), NdlRecord(Isbn(1), "Own")});
  Run({Isbn(1), Isbn(2)});
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Own", "Braille"}));
}

// Fifty distinct codes a request, the pages of an answer asked from where the
// service says the next starts, every request an interval apart.
TEST_F(CatalogueRunTest, BatchesOfFiftyAndTheirPagesArePaced) {
  Settings("Fallback=ndl\r\nFallbackInterval=1500\r\n");
  std::vector<std::string> lines, first, second;
  for (int n = 0; n < 60; ++n) lines.push_back(Isbn(n));
  first.assign(lines.begin(), lines.begin() + 50);
  second.assign(lines.begin() + 50, lines.end());
  host.pages[Ndl(first)] = NdlAnswer({NdlRecord(Isbn(0), "A")}, 2, 2);
  host.pages[catalogue::CatalogueBatchUrl(first, 2)] = NdlAnswer({NdlRecord(Isbn(49), "B")}, 2);
  host.pages[Ndl(second)] = NdlAnswer({}, 0);
  EXPECT_EQ(Run(lines), RunEnd::Completed);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(host.downloads, (std::vector<std::string>{Ndl(first), catalogue::CatalogueBatchUrl(first, 2), Ndl(second)}));
  ASSERT_EQ(host.connectTimes.size(), 3u);
  EXPECT_EQ(host.connectTimes[1] - host.connectTimes[0], std::chrono::milliseconds(1500));
  EXPECT_EQ(host.connectTimes[2] - host.connectTimes[1], std::chrono::milliseconds(1500));
}

// A request the service does not answer is made again after 5 and 30
// intervals; after the third, the catalogue is given up and the run saves
// what it has.
TEST_F(CatalogueRunTest, NotAnsweredIsTriedThriceThenGivenUp) {
  Settings("Fallback=ndl\r\nFallbackInterval=1000\r\n");
  host.pages[kShueishaUrl] = "FOUND One";
  const std::vector<std::string> unusable = {
      "",  "<html>Too Many Requests</html>", "<searchRetrieveResponse xmlns='http://www.loc.gov/zing/srw/'>",
      "<searchRetrieveResponse xmlns='http://www.loc.gov/zing/srw/'><diagnostics><diagnostic><uri>"
      "info:srw/diagnostic/1/1</uri><message>Internal error</message></diagnostic></diagnostics>"
      "</searchRetrieveResponse>"};
  for (const std::string& answer : unusable) {
    host.pages[Ndl({Isbn(1)})] = answer;
    host.connectTimes.clear();
    ctx = RunContext();
    Run({Isbn(1), "9784088700001"});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"One"})) << answer;
    ASSERT_EQ(host.connectTimes.size(), 4u) << answer;  // the publisher, then three tries
    EXPECT_EQ(host.connectTimes[2] - host.connectTimes[1], std::chrono::milliseconds(5000));
    EXPECT_EQ(host.connectTimes[3] - host.connectTimes[2], std::chrono::milliseconds(30000));
  }
  // Nothing stored: one request for both codes, tried thrice.
  host.downloads.clear();
  ctx = RunContext();
  Settings("Fallback=ndl\r\nFallbackInterval=0\r\n");
  Run({Isbn(1), Isbn(2)});
  EXPECT_EQ(CatalogueRequests(), 3);
  EXPECT_TRUE(Records().empty());
}

// A batch whose query the service refuses is asked again one code a request,
// and so is the rest of the run.
TEST_F(CatalogueRunTest, ARefusedQueryIsAskedOneCodeARequest) {
  Settings("Fallback=ndl\r\nFallbackInterval=0\r\n");
  std::vector<std::string> lines;
  for (int n = 0; n < 52; ++n) lines.push_back(Isbn(n));
  host.pages[Ndl(std::vector<std::string>(lines.begin(), lines.begin() + 50))] =
      "<searchRetrieveResponse xmlns='http://www.loc.gov/zing/srw/'><diagnostics><diagnostic><uri>"
      "info:srw/diagnostic/1/10</uri><message>illegal query syntax</message></diagnostic></diagnostics>"
      "</searchRetrieveResponse>";
  for (int n = 0; n < 52; ++n) host.pages[Ndl({Isbn(n)})] = n == 3 ? kNoSuchRecord : NdlAnswer({NdlRecord(Isbn(n), "T")});
  Run(lines);
  EXPECT_EQ(Records().size(), 51u);
  EXPECT_EQ(CatalogueRequests(), 53);
}

TEST_F(CatalogueRunTest, ADeadPublisherSiteNoLongerEndsTheRun) {
  Settings("Fallback=ndl\r\n");
  host.unreachable.insert(kShogakukanUrl);
  host.pages[Ndl({"9784091234567"})] = NdlAnswer({NdlRecord("9784091234567", "Two")});
  host.pages[kHoubunshaUrl] = "FOUND Three";
  EXPECT_EQ(Run({"9784091234567", "9784832212345"}), RunEnd::Completed);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Two", "Three"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CatalogueRunTest, BothChecksFailingEndTheRunAsALostConnection) {
  Settings("Fallback=ndl\r\n");
  host.pages[kShueishaUrl] = "FOUND One";
  const std::string ndl = Ndl({"9784091234567", Isbn(1)});
  host.unreachable = {kShogakukanUrl, ndl};
  EXPECT_EQ(Run({"9784088700001", "9784091234567", Isbn(1)}), RunEnd::ConnectionLost);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Sj("インターネットに接続されていません") + "\r\n" + kShogakukanUrl + "\r\n" + ndl);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"One"}));
}

TEST_F(CatalogueRunTest, StopWhileWaitingEndsTheRunAndKeepsTheRecords) {
  Settings("Fallback=ndl\r\n");
  std::vector<std::string> lines;
  for (int n = 0; n < 51; ++n) lines.push_back(Isbn(n));
  host.pages[Ndl(std::vector<std::string>(lines.begin(), lines.begin() + 50))] = NdlAnswer({NdlRecord(Isbn(7), "Four")});
  stopInPause = true;
  EXPECT_EQ(Run(lines), RunEnd::Stopped);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Four"}));
  EXPECT_EQ(host.connects.size(), 1u);
}

// 10,000 lines of one code: one request, 10,000 records.
TEST_F(CatalogueRunTest, OneCodeListedOftenIsAskedOnce) {
  Settings("Fallback=ndl\r\nFallbackInterval=0\r\n");
  host.pages[Ndl({Isbn(1)})] = NdlAnswer({NdlRecord(Isbn(1), "Same")});
  Run(std::vector<std::string>(10'000, Isbn(1)));
  EXPECT_EQ(Records().size(), 10'000u);
  EXPECT_EQ(host.downloads.size(), 1u);
}

TEST_F(LookupRunTest, TenDigitInputUsesIsbn10Addresses) {
  Run({"4091234569"});
  ASSERT_EQ(host.downloads.size(), 1u);
  EXPECT_EQ(host.downloads[0], "http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=4091234569");
}

}  // namespace
}  // namespace okuzuke
