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

// Answers the Wine check leaves out: Wine's XmlLite, unlike Windows' own,
// keeps an undeclared entity reference ("&nbsp;") as text rather than
// refusing the document.
inline constexpr std::string_view kNotUnderWine[] = {"undeclared-entity"};

// Small documents the XML readers of both platforms must accept or refuse
// alike, as a conforming namespaced reader does. Wine's XmlLite, unlike
// Windows', accepts bad references and namespaces: the Wine check leaves
// those out.
struct XmlCase {
  std::string_view xml;
  bool wellFormed;
  bool wineAccepts = false;
};
inline constexpr XmlCase kXmlCases[] = {
    {"\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><a/>\n", true},
    {"<a x='&lt;&#x41;&#0066;&amp;&quot;'>&gt;&apos;<![CDATA[&x;]]></a>", true},
    {"<a>&#x110000;</a>", false, true},
    {"<a>&#xD800;</a>", false, true},
    {"<a>&#;</a>", false, true},
    {"<a/><b/>", false},
    {"x<a/>", false},
    {"<a/>x", false},
    {" <?xml version=\"1.0\"?><a/>", false},
    {"<!DOCTYPE a><a/>", false},
    {"<a>&nbsp;</a>", false, true},
    {"<a>AT&T</a>", false, true},
    {"<a>&#0;</a>", false, true},
    {"<a>]]></a>", false},
    {"<a x='<'/>", false},
    {"<a x='1' x='2'/>", false, true},
    {"<p:a/>", false, true},
    {"<a xmlns:p='u' xmlns:q='u' p:x='1' q:x='2'/>", false, true},
    {"<a xmlns:p=''/>", false, true},
    {"<a>\x01</a>", false},
    {"<a>\t\r\n0123456789abcdef</a>", true},
    {"<a>0123456789ab\x0B" "cdefgh</a>", false},
    {"<a>\xC0\xAF</a>", false},
    {"<a>\xED\xA0\x80</a>", false},
    {"<a>\xE3\x81</a>", false},
    {"<a><b></a>", false},
    {"", false},
};

inline std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// An answer around one dcndl:BibResource body, inline.
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
      "</dcterms:identifier><dc:title><rdf:Description><rdf:value>\xE6\x9E\xB6\xE7\xA9\xBA</rdf:value>"  // 架空
      "</rdf:Description></dc:title>";
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
inline std::string CatalogueDumpOf(std::string_view answer) {
  TBase book;
  const Dictionary noAuthors;
  const int result = catalogue::RecordFromAnswer(answer, kCatalogueIsbn, book, noAuthors);
  return CatalogueDump(result, book);
}

}  // namespace okuzuke::test
