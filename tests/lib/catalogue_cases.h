// The catalogue answers that both XML readers must turn into the same record
// (tests/unit/catalogue_test.cpp with pugixml, tests/wine/catalogue_check.cpp
// with XmlLite): the files in tests/fixtures/catalogue/NAME.xml and a few
// answers too large to keep as files, each with its expected record in
// NAME.expected.
#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "text/codepage.h"
#include "text/record.h"

namespace okuzuke::test {

inline constexpr std::string_view kCatalogueIsbn = "9784000000019";

inline constexpr std::string_view kCatalogueFiles[] = {
    "typical",   "string-packing", "roles",        "readings",          "no-dc-creator", "cp932-lacks",
    "no-hit",    "no-title",       "other-schema", "not-xml",           "cut-off",       "entities",
    "shift-jis", "empty",          "undeclared-entity",
};

// Real answers of the catalogue, tests/fixtures/catalogue/real/NN-ISBN.xml,
// each read for the ISBN its name ends with.
inline constexpr std::string_view kRealCatalogueAnswers[] = {
    "01-9784334779146", "03-9784577024324", "04-9784591077467",
    "10-9784798002064", "28-9784591077467", "32-9780007264551",
};

// Small documents and what both platforms' readers must do with them: read
// the well-formed ones alike; refuse what neither can read (not UTF-8 of XML
// characters, no element, cut short) and any document type. A document
// either may read or refuse must only not crash or hang. A character
// reference to what XML forbids is refused by both, but for Wine's XmlLite,
// which keeps it: the Wine check leaves those out.
enum class XmlVerdict { kReads, kRefuses, kEither };
struct XmlCase {
  std::string_view xml;
  XmlVerdict verdict;
  bool wineAccepts = false;
};
inline constexpr XmlCase kXmlCases[] = {
    {"\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><a/>\n", XmlVerdict::kReads},
    {"<a x='&lt;&#x41;&#0066;&amp;&quot;'>&gt;&apos;<![CDATA[&x;]]></a>", XmlVerdict::kReads},
    {"<a>\t\r\n0123456789abcdef</a>", XmlVerdict::kReads},
    {"<a>&#x110000;</a>", XmlVerdict::kRefuses, true},
    {"<a>&#xD800;</a>", XmlVerdict::kRefuses, true},
    {"<a x='&#1;'/>", XmlVerdict::kRefuses, true},
    {"<a>\x01</a>", XmlVerdict::kRefuses},
    {"<a>0123456789ab\x0B" "cdefgh</a>", XmlVerdict::kRefuses},
    {"<a>\xC0\xAF</a>", XmlVerdict::kRefuses},
    {"<a>\xED\xA0\x80</a>", XmlVerdict::kRefuses},
    {"<a>\xE3\x81</a>", XmlVerdict::kRefuses},
    {"\xFF\xFE<a/>", XmlVerdict::kRefuses},
    {"<a><b></a>", XmlVerdict::kRefuses},
    {"<a", XmlVerdict::kRefuses},
    {"text", XmlVerdict::kRefuses},
    {"", XmlVerdict::kRefuses},
    {"<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", XmlVerdict::kRefuses},
    {"<a>&#;</a>", XmlVerdict::kEither},
    {"<a>&#0;</a>", XmlVerdict::kEither},
    {"<a/><b/>", XmlVerdict::kEither},
    {"x<a/>x", XmlVerdict::kEither},
    {" <?xml version=\"1.0\"?><a/>", XmlVerdict::kEither},
    {"<a>&nbsp; AT&T ]]></a>", XmlVerdict::kEither},
    {"<a x='<' x='2'/>", XmlVerdict::kEither},
    {"<p:a q:x='1'/>", XmlVerdict::kEither},
    {"<a xmlns:p='u' xmlns:q='u' p:x='1' q:x='2' xmlns:r=''/>", XmlVerdict::kEither},
};

inline std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The shapes of value the catalogue writes, each an answer's BibResource
// body with one field of the record it must give (UTF-8).
struct CatalogueShape {
  std::string_view body, field, expected;
};
#define OKZ_AGENT(name) "<dcterms:creator><foaf:Agent><foaf:name>" name "</foaf:name></foaf:Agent></dcterms:creator>"
inline constexpr CatalogueShape kCatalogueShapes[] = {
    {"<dcterms:date>c2014</dcterms:date>", "ReleaseYear", "2014"},
    {"<dcterms:date>c2001.</dcterms:date>", "ReleaseYear", "2001"},
    {"<dcterms:date>1995.</dcterms:date>", "ReleaseYear", "1995"},
    {"<dcterms:date>2019.10</dcterms:date>", "ReleaseMonth", "10"},
    {"<dcterms:date>c2001.</dcterms:date>", "ReleaseMonth", ""},
    {"<dcterms:extent>152 p. ; 22 cm.</dcterms:extent>", "PageCount", "152"},
    {"<dcterms:extent>152 p. ; 22 cm.</dcterms:extent>", "BookSize", "22cm"},
    {"<dcterms:extent>1冊 ; 17×17cm</dcterms:extent>", "BookSize", "17cm"},
    {"<dcterms:extent>絵はがき 1組 (16枚) ; 15×11cm</dcterms:extent>", "BookSize", "文庫"},
    {"<dcterms:extent>1 v. (unpaged) : col. ill. ; 25 x 29 cm.</dcterms:extent>", "BookSize", "25cm"},
    {"<dcterms:extent>1 v. (unpaged) : col. ill. ; 25 x 29 cm.</dcterms:extent>", "PageCount", ""},
    {"<dcterms:extent>xii, 198 p., 3 plates ; 18 x 26cm</dcterms:extent>", "PageCount", "198"},
    {"<dcterms:extent>xii, 198 p., 3 plates ; 18 x 26cm</dcterms:extent>", "BookSize", "新書"},
    {"<dc:title><rdf:Description><rdf:value>The little boat / written by Kathy Henderson ; illustrated by "
     "Patrick Benson.</rdf:value></rdf:Description></dc:title>",
     "Title", "The little boat"},
    {OKZ_AGENT("Henderson, Kathy") OKZ_AGENT("Benson, Patrick, 1956-"), "Author1", "Kathy Henderson"},
    {OKZ_AGENT("Henderson, Kathy") OKZ_AGENT("Benson, Patrick, 1956-"), "Author2", "Patrick Benson"},
    {OKZ_AGENT("小栗, 一夫, 1950-"), "Author1", "小栗一夫"},
};
#undef OKZ_AGENT

// An answer around one dcndl:BibResource body, inline; with a title of its
// own unless the body has one.
inline std::string AnswerAround(std::string_view body, std::string_view extra = "") {
  std::string answer =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<searchRetrieveResponse xmlns=\"http://www.loc.gov/zing/srw/\"><numberOfRecords>1</numberOfRecords>"
      "<extraResponseData>";
  answer += extra;
  answer +=
      "</extraResponseData><records><record><recordPacking>xml</recordPacking><recordData>"
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
      " xmlns:dcterms=\"http://purl.org/dc/terms/\" xmlns:dcndl=\"http://ndl.go.jp/dcndl/terms/\""
      " xmlns:foaf=\"http://xmlns.com/foaf/0.1/\">"
      "<dcndl:BibAdminResource rdf:about=\"https://ndlsearch.ndl.go.jp/books/R100000002-I000000900\"/>"
      "<dcndl:BibResource><dcterms:identifier rdf:datatype=\"http://ndl.go.jp/dcndl/terms/ISBN\">978-4-00-000001-9"
      "</dcterms:identifier>";
  if (body.find("<dc:title>") == std::string_view::npos)
    answer += "<dc:title><rdf:Description><rdf:value>架空</rdf:value></rdf:Description></dc:title>";
  answer += body;
  answer += "</dcndl:BibResource></rdf:RDF></recordData></record></records></searchRetrieveResponse>\n";
  return answer;
}

// Answers made here: NAME and bytes.
inline std::vector<std::pair<std::string, std::string>> MadeCatalogueAnswers() {
  std::vector<std::pair<std::string, std::string>> made;
  std::string creators;
  for (int n = 1; n <= 10'000; ++n) creators += "<dc:creator>A" + std::to_string(n) + " \xE8\x91\x97</dc:creator>";  // 著
  made.emplace_back("made-10000-creators", AnswerAround(creators));
  // Over the reader's size limit, though well-formed.
  made.emplace_back("made-huge", AnswerAround("<dcterms:abstract>" + std::string(5 << 20, 'x') + "</dcterms:abstract>"));
  std::string deep;
  for (int n = 0; n < 100; ++n) deep += "<x>";
  for (int n = 0; n < 100; ++n) deep += "</x>";
  made.emplace_back("made-deep", AnswerAround("", deep));
  std::string many;
  for (int n = 0; n < 120'000; ++n) many += "<x/>";
  made.emplace_back("made-many-elements", AnswerAround("", many));
  // One element with many attributes, many namespace declarations in scope.
  std::string attributes = "<x";
  for (int n = 0; n < 50'000; ++n) attributes += " a" + std::to_string(n) + "=''";
  made.emplace_back("made-many-attributes", AnswerAround("", attributes + "/>"));
  std::string namespaces = "<x";
  for (int n = 0; n < 50'000; ++n) namespaces += " xmlns:p" + std::to_string(n) + "='u'";
  namespaces += ">";
  for (int n = 0; n < 50'000; ++n) namespaces += "<p0:y/>";
  made.emplace_back("made-many-namespaces", AnswerAround("", namespaces + "</x>"));
  return made;
}

// The record the way the host will see it, for comparison with a NAME.expected
// file: "result" and the function's result, then each field the serialised
// line holds, NAME<TAB>VALUE in UTF-8 (escaped as in the line: "$$" for a line
// end), then "columns" and how many the line has.
inline std::string CatalogueDump(int result, TBase& book) {
  const std::string line = SerializeBookRecord(book);
  std::string dump = "result\t" + std::to_string(result) + "\n";
  for (int n = 1; n <= kBookFieldCount; ++n) {
    const std::string& value = BookField(book, n);
    if (value.empty()) continue;
    dump += kBookFields[n - 1].name;
    dump += '\t';
    dump += Cp932ToUtf8(EscapeRecordField(WellFormedRecordText(value)));
    dump += '\n';
  }
  dump += "columns\t" + std::to_string(SplitCommaText(line).size()) + "\n";
  return dump;
}

// The dump of an answer read with an empty author dictionary.
inline std::string CatalogueDumpOf(std::string_view answer, std::string_view isbn = kCatalogueIsbn) {
  TBase book;
  const Dictionary noAuthors;
  const int result = catalogue::RecordFromAnswer(answer, isbn, book, noAuthors);
  return CatalogueDump(result, book);
}

// The field of the record an answer with the shape's body gives, in UTF-8;
// "(no record)" when it gives none.
inline std::string ShapeField(const CatalogueShape& shape) {
  TBase book;
  if (catalogue::RecordFromAnswer(AnswerAround(shape.body), kCatalogueIsbn, book, Dictionary()) != 1) return "(no record)";
  for (int n = 1; n <= kBookFieldCount; ++n)
    if (kBookFields[n - 1].name == shape.field) return Cp932ToUtf8(BookField(book, n));
  return "(no such field)";
}

}  // namespace okuzuke::test
