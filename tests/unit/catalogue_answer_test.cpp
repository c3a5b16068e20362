// The catalogue's answers to one code or a batch: whether the service
// answered, and which record is whose.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "test_support.h"

namespace okuzuke::catalogue {
namespace {

using test::U8;

std::string Real(const std::string& name) { return test::Fixture("catalogue/real/" + name + ".xml"); }

// One answer holding the records of several real answers, in that order.
std::string Combined(const std::vector<std::string>& names) {
  std::string records;
  for (const std::string& name : names) {
    const std::string answer = Real(name);
    const std::size_t begin = answer.find("<record>"), end = answer.rfind("</record>");
    records += answer.substr(begin, end + 9 - begin);
  }
  return "<searchRetrieveResponse xmlns=\"http://www.loc.gov/zing/srw/\"><numberOfRecords>" +
         std::to_string(names.size()) + "</numberOfRecords><records>" + records + "</records></searchRetrieveResponse>";
}

constexpr const char* kSru = "<searchRetrieveResponse xmlns='http://www.loc.gov/zing/srw/'>";
std::string Diagnostic(const std::string& uri, const std::string& message) {
  return std::string(kSru) + "<diagnostics><diagnostic xmlns='http://www.loc.gov/zing/srw/diagnostic/'><uri>" + uri +
         "</uri><message>" + message + "</message></diagnostic></diagnostics></searchRetrieveResponse>";
}

TEST(CatalogueBatchUrl, JoinsTheIsbnsWithOrAndPagesFromStartRecord) {
  const std::vector<std::string> two = {"9784101001234", "9784150310028"};
  EXPECT_EQ(CatalogueBatchUrl(two),
            "https://ndlsearch.ndl.go.jp/api/sru?operation=searchRetrieve&version=1.2&recordSchema=dcndl&onlyBib=true"
            "&recordPacking=xml&maximumRecords=200&query=isbn%3D9784101001234%20OR%20isbn%3D9784150310028");
  EXPECT_EQ(CatalogueBatchUrl(two, 201),
            "https://ndlsearch.ndl.go.jp/api/sru?operation=searchRetrieve&version=1.2&recordSchema=dcndl&onlyBib=true"
            "&recordPacking=xml&maximumRecords=200&startRecord=201&query=isbn%3D9784101001234%20OR%20isbn%3D9784150310028");
  EXPECT_EQ(CatalogueBatchUrl({"9784101001234"}), CatalogueUrl("9784101001234"));
  EXPECT_EQ(IsbnsAsked(CatalogueBatchUrl(two, 201)), two);
  EXPECT_EQ(IsbnsAsked(CatalogueUrl("9784101001234")), std::vector<std::string>{"9784101001234"});
  EXPECT_TRUE(IsbnsAsked("http://example.com/?query=isbn%3D9784101001234").empty());
}

// Whether the service answered, and the codes whose records it gave.
TEST(ReadAnswer, TellsAnAnswerFromNoneAndMatchesRecordsByIsbn) {
  const std::vector<std::string> asked = {"9784577024324", "9784591077467", "9784798002064", "9780007264551"};
  struct Case {
    std::string name, answer;
    Verdict verdict;
    std::vector<std::string> found;
  };
  const Case cases[] = {
      // Found by ISBN-10 in another order than asked; a record no code asked for is no one's.
      {"batch", Combined({"10-9784798002064", "01-9784334779146", "03-9784577024324", "04-9784591077467"}),
       Verdict::Answered, {"9784577024324", "9784591077467", "9784798002064"}},
      {"2012 packing", Real("28-9784591077467"), Verdict::Answered, {"9784591077467"}},
      {"no such record", Real("32-9780007264551"), Verdict::Answered, {}},
      {"no records", std::string(kSru) + "<numberOfRecords>0</numberOfRecords></searchRetrieveResponse>",
       Verdict::Answered, {}},
      {"nothing", "", Verdict::NotAnswered, {}},
      {"cut off", Real("04-9784591077467").substr(0, 5000), Verdict::NotAnswered, {}},
      {"html", "<html><body>429 Too Many Requests</body></html>", Verdict::NotAnswered, {}},
      {"text", "Service Unavailable", Verdict::NotAnswered, {}},
      {"other xml", "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'/>", Verdict::NotAnswered, {}},
      {"no records, no count", std::string(kSru) + "</searchRetrieveResponse>", Verdict::NotAnswered, {}},
      {"system error", Diagnostic("info:srw/diagnostic/1/1", "General system error"), Verdict::NotAnswered, {}},
      {"query syntax", Diagnostic("info:srw/diagnostic/1/10", "Query syntax error"), Verdict::QueryRefused, {}},
      {"illegal query", Diagnostic("info:srw/diagnostic/1/1", "illegal query syntax"), Verdict::QueryRefused, {}},
  };
  for (const Case& c : cases) {
    Candidates chosen;
    const AnswerReport report = ReadAnswer(c.answer, asked, Dictionary(), chosen);
    EXPECT_EQ(report.verdict, c.verdict) << c.name;
    EXPECT_EQ(report.verdict == Verdict::Answered, report.problem.empty()) << c.name << ": " << report.problem;
    std::vector<std::string> found;
    for (const auto& [isbn, candidate] : chosen) {
      found.push_back(isbn);
      EXPECT_EQ(candidate.book.Isbn, isbn);
      EXPECT_TRUE(candidate.libraryOwn) << c.name;
    }
    EXPECT_EQ(found, c.found) << c.name;
  }
  Candidates chosen;
  EXPECT_EQ(ReadAnswer(Diagnostic("info:srw/diagnostic/1/1", "Internal error"), asked, Dictionary(), chosen).problem,
            "Internal error");
}

// The book is the first resource that describes it, not the one that only
// links to the holdings; its page is the record's.
TEST(ReadAnswer, TheBookIsTheResourceThatDescribesIt) {
  Candidates chosen;
  ReadAnswer(Real("01-9784334779146"), {"9784334779146"}, Dictionary(), chosen);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_FALSE(chosen.begin()->second.book.Title.empty());
  EXPECT_EQ(chosen.begin()->second.book.PageUrl, "https://ndlsearch.ndl.go.jp/books/R100000002-I029952098");
}

}  // namespace
}  // namespace okuzuke::catalogue
