#include "scraping/frame.h"

#include <gtest/gtest.h>

#include "page_entities.h"
#include "scraping/rule_vocabulary.h"
#include "test_support.h"
#include "text/charset.h"
#include "text/sjis_literal.h"

namespace okuzuke::scraping {
namespace {

using namespace test_entities;
constexpr std::string_view kAllAges = "全年齢"_sjis;

using test::Sj;

// Notes every tested line in Field15, which no scraper fills.
void NoteLine(Scan& scan, const std::string&) { scan.book.Field15 += std::to_string(scan.line) + ","; }

// The text in brackets, so that an empty read shows.
Store Bracketed(std::string TBase::*field) {
  return [field](Scan& scan, const std::string& text) { scan.book.*field = "[" + text + "]"; };
}

// A publisher whose rules exercise the frame: "L" notes the line, "T" takes
// the title, "D" ends the scan (with a rule after it on the same line),
// "P"/"N" read the lines before and after, "C"/"H" collect.
Publisher Probe(ScanBounds bounds, PageEncoding encoding = PageEncoding::ShiftJis,
                FinishCondition finish = Always) {
  return {.key = "probe",
          .encoding = encoding,
          .entities = {kAmp, kQuot, kLt, kGt},
          .scan = bounds,
          .credits = CreditOrder::Unsorted,
          .finishWhen = finish,
          .rating = kAllAges,
          .rules = {
              {"line", kNothing, "L", {}, {}, {}, NoteLine},
              {"title", LineAt(0), "T=", {}, {After("T=")}, {}, All(Into(&TBase::Title), MarkFound)},
              {"done", kNothing, "D", {}, {}, {}, MarkDone},
              {"after done", LineAt(0), "D", {}, {}, {}, Into(&TBase::Label)},
              {"previous", LineAt(-1), "P", {}, {}, {}, Bracketed(&TBase::Subtitle)},
              {"far next", LineAt(+3), "N", {}, {}, {}, Bracketed(&TBase::Volume)},
              {"collect", CollectUntil("END"), "C", {}, {}, {}, Into(&TBase::Description)},
              {"collect here", CollectFromHereUntil("END"), "H", {}, {}, {}, Into(&TBase::Description)},
          }};
}

struct ProbeRun {
  int result;
  TBase book;
};

ProbeRun ScrapeWith(const Publisher& publisher, std::string_view page, bool stop = false, bool marker = false) {
  test::TempDir dir;
  std::string path = dir.Write("Temp.html", page);
  if (marker) dir.Write("Temp.html.pelmar_private", "");
  ProbeRun run{0, {}};
  run.book.PageUrl = "http://example.jp/page";
  Dictionary authors;
  ScrapeContext ctx{run.book, authors, stop};
  run.result = Scrape(publisher, path, ctx);
  return run;
}

std::string Lines(int count, std::string_view line = "L") {
  std::string page;
  for (int i = 0; i < count; ++i) page += std::string(line) + "\r\n";
  return page;
}

TEST(ScrapeFrame, TestsOnlyTheLinesWithinTheScanBounds) {
  struct Case {
    ScanBounds bounds;
    int lines;
    std::string tested;
  } cases[] = {
      {{0, 8, 8}, 7, ""},       {{0, 8, 8}, 8, "0,"},  {{0, 8, 8}, 10, "0,1,2,"}, {{1, 3, 2}, 2, ""},
      {{1, 3, 2}, 3, "1,"},     {{0, 3, 3}, 2, ""},    {{0, 3, 3}, 4, "0,1,"},    {{0, 2, 2}, 1, ""},
      {{0, 2, 2}, 2, "0,"},     {{0, 0, 1}, 0, ""},    {{0, 0, 1}, 2, "0,1,"},
  };
  for (const auto& c : cases) {
    ProbeRun run = ScrapeWith(Probe(c.bounds), Lines(c.lines));
    EXPECT_EQ(run.book.Field15, c.tested) << c.lines << " lines";
  }
}

TEST(ScrapeFrame, StopFlagEndsTheScanButTheRecordIsStillFinished) {
  ProbeRun run = ScrapeWith(Probe({0, 0, 1}), "L\r\nT=x\r\n", /*stop=*/true);
  EXPECT_EQ(run.book.Field15, "");
  EXPECT_EQ(run.book.Title, "");
  EXPECT_EQ(run.result, 1);
}

TEST(ScrapeFrame, DoneFlagEndsTheScanAfterTheRestOfItsLine) {
  ProbeRun run = ScrapeWith(Probe({0, 0, 1}), "L\r\nL D\r\nL T=late\r\n");
  EXPECT_EQ(run.book.Field15, "0,1,");
  EXPECT_EQ(run.book.Label, "L D");
  EXPECT_EQ(run.book.Title, "");
}

TEST(ScrapeFrame, LinesOutsideThePageReadEmptyAndCollectionsStopAtItsEnd) {
  ProbeRun run = ScrapeWith(Probe({0, 0, 1}), "P\r\nx\r\nC\r\nab\r\nN cd\r\n");
  EXPECT_EQ(run.book.Subtitle, "[]");
  EXPECT_EQ(run.book.Volume, "[]");
  EXPECT_EQ(run.book.Description, "abN cd");

  run = ScrapeWith(Probe({0, 0, 1}), "H<dd>one</dd>END tail\r\nnext\r\n");
  EXPECT_EQ(run.book.Description, "H<dd>one</dd>");
  run = ScrapeWith(Probe({0, 0, 1}), "H first \r\nsecond\r\nEND\r\nafter\r\n");
  EXPECT_EQ(run.book.Description, "H first second");
}

TEST(ScrapeFrame, EntitiesAreDecodedInOrderOverTheWholePage) {
  ProbeRun run = ScrapeWith(Probe({0, 0, 1}), "TxT=&amp;quot;A&amp;lt;b&gt;&quot;\r\n");
  EXPECT_EQ(run.book.Title, Sj("”A<b>”"));
}

TEST(ScrapeFrame, InvalidUtf8EndsTheScrapeWithItsError) {
  EXPECT_THROW(ScrapeWith(Probe({0, 0, 1}, PageEncoding::Utf8), "T=\x80\n"), Utf8Error);
}

TEST(ScrapeFrame, FinishingStepsRunOnlyWhenTheFinishConditionHolds) {
  const std::string page = Sj("L\r\nC\r\n　内容　\r\n");
  auto withOwnStep = [](FinishCondition finish) {
    Publisher publisher = Probe({0, 0, 1}, PageEncoding::ShiftJis, finish);
    publisher.beforeFinish = [](Scan& scan) { scan.book.Description += Sj("　追記"); };
    return publisher;
  };
  ProbeRun notFound = ScrapeWith(withOwnStep(WhenFound), page, false, true);
  EXPECT_EQ(notFound.result, 0);
  EXPECT_EQ(notFound.book.Description, Sj("　内容　"));  // written, but not cleaned up
  EXPECT_EQ(notFound.book.PageUrl, "http://example.jp/page");

  ProbeRun found = ScrapeWith(withOwnStep(Always), page, false, true);
  EXPECT_EQ(found.result, 1);
  EXPECT_EQ(found.book.Description, Sj("内容  追記"));  // its own step ran before the cleanup
  EXPECT_EQ(found.book.AgeRating, Sj("全年齢"));
  EXPECT_EQ(found.book.PageUrl, "");

  ProbeRun noMarker = ScrapeWith(Probe({0, 0, 1}), page);
  EXPECT_EQ(noMarker.book.AgeRating, "");
  EXPECT_EQ(noMarker.book.PageUrl, "http://example.jp/page");
}

// Collections and conditions as the publishers use them, each rule into a
// field of its own.
constexpr std::string_view kEitherMarker[] = {"E1", "E2"};

Publisher Collector() {
  return {.key = "collector",
          .encoding = PageEncoding::ShiftJis,
          .entities = {},
          .scan = {0, 0, 1},
          .credits = CreditOrder::Unsorted,
          .finishWhen = Always,
          .rating = kAllAges,
          .rules = {
              {"from here", CollectFrom(0, "ZZ"), "A", {}, {}, {}, Into(&TBase::Title)},
              {"through", CollectThrough("ZZ"), "B", {}, {}, {}, Into(&TBase::Subtitle)},
              {"line then", LineThenCollectUntil("ZZ"), "C", {}, {}, {}, Into(&TBase::Label)},
              {"each line", CollectUntil("ZZ").Skipping("x").EachLine(Strip), "D", {}, {}, {},
               Into(&TBase::Description)},
              {"either", kNothing, kAnyOf, AnyOf(kEitherMarker), {}, {}, NoteLine},
              {"next has", LineAt(+1), "N", NextLineHas("n"), {}, {}, Into(&TBase::Volume)},
              {"no book", LineAt(0), "S=", {}, {After("S=")}, {}, EndScanIfEquals("none", Into(&TBase::Label))},
              {"after no book", kNothing, "S=", {}, {}, {}, Fixed(&TBase::Publisher, "P")},
          }};
}

TEST(ScrapeFrame, CollectionsAndConditions) {
  struct Case {
    const char* page;
    std::string TBase::*field;
    const char* value;
  } cases[] = {
      {"A\r\na2\r\nZZ\r\n", &TBase::Title, "Aa2"},
      {"A ZZ\r\nmore\r\n", &TBase::Title, ""},
      {"B\r\nb1\r\nb2 ZZ\r\nafter\r\n", &TBase::Subtitle, "b1b2 ZZ"},
      {"C ZZ\r\nmore\r\n", &TBase::Label, "C ZZ"},
      {"C\r\nc1\r\nZZ\r\n", &TBase::Label, "Cc1"},
      {"D\r\n<i>d1</i>\r\nx <i>skipped</i>\r\nd2<br>\r\nZZ\r\n", &TBase::Description, "d1d2"},
      {"E1 E2\r\nE2\r\n", &TBase::Field15, "0,1,"},
      {"N\r\nm\r\nN\r\nn1\r\n", &TBase::Volume, "n1"},
      {"S=none\r\nS=late\r\n", &TBase::Publisher, ""},
      {"S=none\r\nS=late\r\n", &TBase::Label, ""},
      {"S=book\r\nS=late\r\n", &TBase::Publisher, "P"},
  };
  for (const auto& c : cases) EXPECT_EQ(ScrapeWith(Collector(), c.page).book.*c.field, c.value) << c.page;
}

TEST(RuleVocabulary, CutsWithTheMarkerThereAndMissing) {
  const struct {
    TextStep step;
    const char* text;
    const char* expected;
  } cases[] = {
      {Between("<b>", "</b>"), "x<b>a</b>y</b>", "a"},  {Between("<b>", "</b>"), "x<b>a", "a"},
      {Between("<b>", "</b>"), "xa</b>", ""},           {After(":"), "a:b:c", "b:c"},
      {Before("|"), "a|b|c", "a"},                      {Before("|"), "abc", ""},
      {BeforeLessOne("|"), "ab|c", "a"},                {BeforeLessOne("|"), "|c", ""},
      {BeforeLessOne("|"), "abc", ""},                  {From("<i"), "a<img>", "<img>"},
      {From("<i"), "abc", ""},                          {FromPartOf("<img src=", "src"), "x<img src=y", "src=y"},
      {UpTo("<"), "ab<c", "ab"},                        {UpTo("<"), "abc", "abc"},
      {DropThenKeep(2, 3), "abcdefg", "cde"},           {DropThenKeep(2, 9), "abcd", "cd"},
      {DropThenKeep(5, 1), "abc", ""},                  {TrimBlanks, " \t a b \r\n", "a b"},
      {TrimBlanks, "  ", ""},                          {Clean, "\t\ta\tb\t\t\r\nc\t", "abc"},
      {Clean, "\t\t", ""},                              {Clean, "a\r\n\r\nb", "ab"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    c.step(text);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

}  // namespace
}  // namespace okuzuke::scraping
