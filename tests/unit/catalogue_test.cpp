#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <chrono>

#include "../lib/catalogue_cases.h"
#include "catalogue/credit_statements.h"
#include "catalogue/xml_document.h"
#include "test_support.h"

namespace okuzuke::catalogue {
namespace {

using test::Sj;
using test::U8;

std::string ExpectedDump(const std::string& name) {
  return test::ReadBytes(std::string(OKUZUKE_FIXTURES) + "/catalogue/" + name + ".expected").value_or("(missing)");
}

// Every answer, however damaged, gives its expected record (or none), as
// 68 columns, in bounded time.
TEST(RecordFromAnswer, GivesTheExpectedRecordForEveryAnswer) {
  std::vector<std::pair<std::string, std::string>> answers = test::MadeCatalogueAnswers();
  for (std::string_view name : test::kCatalogueFiles)
    answers.emplace_back(name, test::Fixture("catalogue/" + std::string(name) + ".xml"));
  for (const auto& [name, answer] : answers) {
    const auto start = std::chrono::steady_clock::now();
    const std::string dump = test::CatalogueDumpOf(answer);
    const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(dump, ExpectedDump(name)) << name;
    EXPECT_LT(ms, 2000) << name;
  }
}

TEST(RecordFromAnswer, ClearsTheRecordWhenThereIsNone) {
  TBase book;
  book.Title = "old";
  book.Author1 = "old";
  EXPECT_EQ(RecordFromAnswer("<html>", test::kCatalogueIsbn, book, Dictionary()), 0);
  EXPECT_EQ(book.Title, "");
  EXPECT_EQ(book.Author1, "");
  book.Title = "old";
  EXPECT_EQ(RecordFromAnswer(test::Fixture("catalogue/no-title.xml"), test::kCatalogueIsbn, book, Dictionary()), 0);
  EXPECT_EQ(book.Isbn, "");
  EXPECT_EQ(book.Title, "");
}

TEST(RecordFromAnswer, ReadsSizesVolumesAndPrices) {
  struct Case {
    const char* body;
    const char* field;
    const char* expected;
  } cases[] = {
      {"<dcterms:extent>304p ; 20cm</dcterms:extent>", "BookSize", "20cm"},
      {"<dcterms:extent>304p ; 20cm</dcterms:extent>", "PageCount", "304"},
      {"<dcterms:extent>240p ; 15cm</dcterms:extent>", "BookSize", "文庫"},
      {"<dcterms:extent>16cm</dcterms:extent>", "BookSize", "文庫"},
      {"<dcterms:extent>16cm</dcterms:extent>", "PageCount", ""},
      {"<dcterms:extent>18cm</dcterms:extent>", "BookSize", "新書"},
      {"<dcterms:extent>21cm</dcterms:extent>", "BookSize", "A5"},
      {"<dcterms:extent>30cm</dcterms:extent>", "BookSize", "A4"},
      {"<dcterms:extent>xii, 198p ; 19 x 26cm</dcterms:extent>", "BookSize", "19cm"},
      {"<dcterms:extent>xii, 198p ; 19 x 26cm</dcterms:extent>", "PageCount", "198"},
      {"<dcterms:extent>1冊 ; 22cm</dcterms:extent>", "PageCount", ""},
      {"<dcterms:extent>図版 32p</dcterms:extent>", "BookSize", ""},
      {"<dcndl:volume><rdf:Description><rdf:value>第１２巻</rdf:value></rdf:Description></dcndl:volume>", "Volume", "12"},
      {"<dcndl:volume><rdf:Description><rdf:value>上巻</rdf:value></rdf:Description></dcndl:volume>", "Volume", "上"},
      {"<dcndl:volume><rdf:Description><rdf:value> 3 </rdf:value></rdf:Description></dcndl:volume>", "Volume", "3"},
      {"<dcndl:price>１５００円</dcndl:price>", "Price", "1500"},
      {"<dcndl:price>1,200円 (税別)</dcndl:price>", "Price", "1200"},
      {"<dcndl:price>非売品</dcndl:price>", "Price", ""},
      {"<dcndl:price>2冊 3000円</dcndl:price>", "Price", "3000"},
      {"<dcndl:seriesTitle><rdf:Description><rdf:value>架空叢書</rdf:value></rdf:Description></dcndl:seriesTitle>", "Label", "架空叢書"},
      {"<dcterms:date>2010.11</dcterms:date>", "ReleaseMonth", "11"},
  };
  for (const Case& c : cases) {
    TBase book;
    ASSERT_EQ(RecordFromAnswer(test::AnswerAround(c.body), test::kCatalogueIsbn, book, Dictionary()), 1) << c.body;
    const std::string* value = nullptr;
    for (int n = 1; n <= kBookFieldCount; ++n)
      if (std::string_view(kBookFields[n - 1].name) == c.field) value = &BookField(book, n);
    ASSERT_NE(value, nullptr) << c.field;
    EXPECT_EQ(U8(*value), c.expected) << c.body;
  }
}

TEST(CreditFromStatement, TakesOrderAndLabelFromTheRoleTable) {
  struct Case {
    const char* statement;
    const char* entry;
  } cases[] = {
      {"乃南アサ 著", "1乃南アサ"},
      {"月岡紗夜 [著]", "1月岡紗夜"},
      {"高橋信也 作画", "1高橋信也"},
      {"高橋信也 画", "1高橋信也"},
      {"小谷実 絵", "2小谷実"},
      {"小谷実 作", "2小谷実"},
      {"小谷実 イラスト", "2小谷実"},
      {"Kate Morrow 訳", "5Kate Morrow [訳]"},
      {"芹沢一樹 監修", "4芹沢一樹 [監修]"},
      {"森野あかね 編", "9森野あかね [編]"},
      {"森野あかね ［編著］", "9森野あかね[編著]"},
      {"城島悟 写真", "0城島悟"},
      {"城島悟　述", "0城島悟"},
      {"白石工房", "0白石工房"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(CreditFromStatement(c.statement).Entry()), c.entry) << c.statement;
  EXPECT_EQ(CreditFromStatement("　著").name, "");
  EXPECT_EQ(CreditFromStatement(" ").name, "");
}

TEST(JoinedAgentName, JoinsPartsAndDropsLifeDates) {
  struct Case {
    const char* name;
    const char* joined;
  } cases[] = {
      {"架空, 太郎, 1970-", "架空太郎"},
      {"遠山, 静, 1942-2021", "遠山静"},
      {"カクウ, タロウ", "カクウタロウ"},
      {"架空郷土史研究会", "架空郷土史研究会"},
      {"Morrow, Kate, 1960-", "Kate Morrow"},
      {"Müller, Jürgen", "Jürgen Müller"},
      {"Nguyễn, Văn, 1950-", "Văn Nguyễn"},
      {"架空, 太郎, 第2版", "架空太郎第2版"},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinedAgentName(c.name), c.joined) << c.name;
}

TEST(RecordFromAnswer, TheAuthorDictionaryComesFirst) {
  test::TempDir dir;
  dir.Write("AuthDB.dat", Sj("|日向野ちなつ|日向野ちなつ|ひがのちなつ|x|\r\n"));
  Dictionary authors;
  ASSERT_TRUE(LoadAuthorDictionary(authors, dir.Path()));
  TBase book;
  ASSERT_EQ(RecordFromAnswer(test::Fixture("catalogue/readings.xml"), test::kCatalogueIsbn, book, authors), 1);
  EXPECT_EQ(U8(book.Author1Reading), "ひがのちなつ");
  EXPECT_EQ(book.Field64, "x");
}

TEST(RecordFromAnswerFile, ReadsTheFileAndAppliesThePrivatePreferences) {
  test::TempDir dir;
  TBase book;
  book.Title = "old";
  EXPECT_EQ(RecordFromAnswerFile(dir.Path() + "none.xml", test::kCatalogueIsbn, book, Dictionary()), 0);
  EXPECT_EQ(book.Title, "");

  const std::string answer = test::AnswerAround("<dcterms:extent>15cm</dcterms:extent>");
  const std::string path = dir.Write("answer.xml", answer);
  ASSERT_EQ(RecordFromAnswerFile(path, test::kCatalogueIsbn, book, Dictionary()), 1);
  EXPECT_EQ(U8(book.BookSize), "文庫");
  EXPECT_NE(book.PageUrl, "");

  dir.Write("answer.xml.pelmar_private", "");
  ASSERT_EQ(RecordFromAnswerFile(path, test::kCatalogueIsbn, book, Dictionary()), 1);
  EXPECT_EQ(book.BookSize, "A6");
  EXPECT_EQ(book.PageUrl, "");

  // Larger than any answer the reader takes: not even read.
  const std::string huge = dir.Write("huge.xml", answer + std::string(kMaxXmlBytes, ' '));
  EXPECT_EQ(RecordFromAnswerFile(huge, test::kCatalogueIsbn, book, Dictionary()), 0);
}

// The reader reads well-formed documents, refuses what no reader can read,
// and decodes references and resolves namespaces as a namespaced reader does.
TEST(XmlDocument, ReadsWellFormedXmlAndRefusesWhatNoneCanRead) {
  for (const test::XmlCase& c : test::kXmlCases) {
    XmlDocument doc;
    const bool read = doc.Parse(c.xml);
    if (c.verdict != test::XmlVerdict::kEither) EXPECT_EQ(read, c.verdict == test::XmlVerdict::kReads) << c.xml;
  }

  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(test::kXmlCases[1].xml));
  EXPECT_EQ(doc.Attribute(doc.Root(), "", "x"), "<AB&\"");
  EXPECT_EQ(doc.Text(doc.Root()), ">'&x;");
  ASSERT_TRUE(doc.Parse("<r xmlns='d' xmlns:p='u'><p:e p:k='1&#x3042;' k='2' xml:lang='ja'>t<i xmlns='' />u</p:e></r>"));
  const XmlDocument::Element e = doc.Child(doc.Root(), "u", "e");
  ASSERT_NE(e, XmlDocument::kNoElement);
  EXPECT_EQ(doc.Namespace(doc.Root()), "d");
  EXPECT_EQ(doc.Attribute(e, "u", "k"), "1\xE3\x81\x82");
  EXPECT_EQ(doc.Attribute(e, "", "k"), "2");
  EXPECT_EQ(doc.Attribute(e, "http://www.w3.org/XML/1998/namespace", "lang"), "ja");
  EXPECT_EQ(doc.Text(e), "tu");
  EXPECT_TRUE(doc.Is(doc.FirstChild(e), "", "i"));
}

TEST(CatalogueUrl, EndsWithTheIsbn) {
  EXPECT_EQ(CatalogueUrl("9784101001234"),
            "https://ndlsearch.ndl.go.jp/api/sru?operation=searchRetrieve&version=1.2&recordSchema=dcndl"
            "&onlyBib=true&recordPacking=xml&maximumRecords=1&query=isbn%3D9784101001234");
}

}  // namespace
}  // namespace okuzuke::catalogue
