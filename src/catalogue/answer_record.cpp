// From one record of the catalogue's answer to a Book record: the direct
// properties of the book's dcndl:BibResource, and the record's page from the
// dcndl:BibAdminResource beside it.
#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/credit_statements.h"
#include "catalogue/extent.h"
#include "catalogue/record_mapping.h"
#include "catalogue/xml_document.h"
#include "text/credit_roles.h"
#include "text/credits.h"
#include "text/markup.h"
#include "text/release_date.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke::catalogue {

namespace {

constexpr Element kNone = XmlDocument::kNoElement;

// The book's properties as found, each the first of its kind.
struct Properties {
  Element title = kNone, termsTitle = kNone, volume = kNone, series = kNone, publisher = kNone;
  Element extent = kNone, price = kNone, date = kNone, abstract = kNone;
  std::vector<Element> statements;  // dc:creator
  std::vector<Element> agents;      // dcterms:creator/foaf:Agent
};

class AnswerReader {
 public:
  explicit AnswerReader(const XmlDocument& doc) : doc_(doc) {}

  Properties Read(Element book) const {
    Properties found;
    for (Element p = doc_.FirstChild(book); p != kNone; p = doc_.NextSibling(p)) {
      const std::string_view ns = doc_.Namespace(p);
      const std::string_view name = doc_.LocalName(p);
      if (ns == kDc && name == "title") Keep(found.title, p);
      else if (ns == kDc && name == "creator") found.statements.push_back(p);
      else if (ns == kDcterms && name == "title") Keep(found.termsTitle, p);
      else if (ns == kDcterms && name == "creator") {
        if (const Element agent = doc_.Child(p, kFoaf, "Agent"); agent != kNone) found.agents.push_back(agent);
      } else if (ns == kDcterms && name == "publisher") Keep(found.publisher, p);
      else if (ns == kDcterms && name == "extent") Keep(found.extent, p);
      else if (ns == kDcterms && name == "date") Keep(found.date, p);
      else if (ns == kDcterms && name == "abstract") Keep(found.abstract, p);
      else if (ns == kDcndl && name == "volume") Keep(found.volume, p);
      else if (ns == kDcndl && name == "seriesTitle") Keep(found.series, p);
      else if (ns == kDcndl && name == "price") Keep(found.price, p);
    }
    return found;
  }

  std::string_view Text(Element e) const { return e == kNone ? std::string_view() : TrimView(doc_.Text(e)); }
  // The text of the child so named.
  std::string_view ChildText(Element e, std::string_view ns, std::string_view local) const {
    return e == kNone ? std::string_view() : Text(doc_.Child(e, ns, local));
  }
  // A structured value: property/rdf:Description/child.
  std::string_view DescribedText(Element property, std::string_view ns, std::string_view local) const {
    return property == kNone ? std::string_view() : ChildText(doc_.Child(property, kRdf, "Description"), ns, local);
  }

 private:
  static void Keep(Element& first, Element e) {
    if (first == kNone) first = e;
  }
  const XmlDocument& doc_;
};

// The title proper: a foreign book's title statement ends where its
// statement of responsibility begins, at " / " ("The little boat / written by
// Kathy Henderson.").
std::string_view TitleProper(std::string_view title) {
  return TrimView(title.substr(0, title.find(" / ")));
}

// The catalogue's date ("2019.10", "1995.", "c2014", "c2001.") into the
// record: a copyright mark and a closing full stop dropped, a year alone
// taken as it is, anything else read as any release date.
void FillDate(std::string_view date, TBase& book) {
  if (date.starts_with("\u00A9")) date.remove_prefix(2);
  else if (date.size() > 1 && date[0] == 'c' && date[1] >= '0' && date[1] <= '9') date.remove_prefix(1);
  while (date.ends_with('.')) date.remove_suffix(1);
  date = TrimView(date);
  if (date.empty()) return;
  if (date.size() == 4 && std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    book.ReleaseYear = std::string(date);
    return;
  }
  ParseReleaseDate(book, ToShiftJis(date));
}

// "1,200円 (税別)": the digits of the amount written just before 円.
std::string PriceDigits(std::string_view priceUtf8) {
  const std::string price = FullWidthAlnumToAscii(ToShiftJis(priceUtf8));
  const std::size_t yen = FindOnCharBoundary(price, "円"_sjis);
  if (yen == std::string::npos) return {};
  std::string_view amount = TrimRightView(std::string_view(price).substr(0, yen));
  std::size_t start = amount.size();
  // Digits are never the second byte of a character.
  while (start > 0 && ((amount[start - 1] >= '0' && amount[start - 1] <= '9') || amount[start - 1] == ',')) --start;
  std::string digits;
  for (char c : amount.substr(start))
    if (c != ',') digits += c;
  return digits;
}

std::string VolumeNumber(std::string_view volumeUtf8) {
  std::string volume = ToShiftJis(volumeUtf8);
  for (std::string_view word : {"第"_sjis, "巻"_sjis}) volume = ReplaceAllOnCharBoundary(volume, word, "");
  return Trim(FullWidthAlnumToAscii(volume));
}

std::string WithoutSpaces(std::string text) {
  text = ReplaceAllOnCharBoundary(text, "　"_sjis, "");
  std::erase(text, ' ');
  return text;
}

// An agent's name and reading, joined and in Shift-JIS.
struct Agent {
  std::string name, reading;
};

std::vector<Agent> AgentsOf(const AnswerReader& reader, const std::vector<Element>& agents) {
  std::vector<Agent> made;
  made.reserve(agents.size());
  for (Element agent : agents) {
    made.push_back({ToShiftJis(JoinedAgentName(reader.ChildText(agent, kFoaf, "name"))),
                    WithoutSpaces(ToShiftJis(JoinedAgentName(reader.ChildText(agent, kDcndl, "transcription"))))});
  }
  return made;
}

// The reading of the authority entry that names `author`, where the author
// has none yet. The author field may hold the credit's role label after the
// name; the name alone is what the entry names.
void FillReading(const std::string& author, std::string& reading, const std::vector<StatedCredit>& credits,
                 const std::vector<Agent>& agents) {
  if (author.empty() || !reading.empty()) return;
  std::string_view name = author;
  for (const StatedCredit& credit : credits) {
    if (author.size() == credit.name.size() + credit.label.size() && author.starts_with(credit.name) &&
        author.ends_with(credit.label)) {
      name = credit.name;
      break;
    }
  }
  for (const Agent& agent : agents) {
    if (agent.name == name && !agent.reading.empty()) {
      reading = agent.reading;
      return;
    }
  }
}

void FillCredits(const AnswerReader& reader, const Properties& found, TBase& book, const Dictionary& authors) {
  const std::vector<Agent> agents = AgentsOf(reader, found.agents);
  std::vector<StatedCredit> stated;
  for (Element statement : found.statements) {
    if (stated.size() == CreditList::kMaxEntries) break;
    StatedCredit credit = CreditFromStatement(reader.Text(statement));
    if (!credit.name.empty()) stated.push_back(std::move(credit));
  }
  if (found.statements.empty()) {
    for (const Agent& agent : agents) {
      if (stated.size() == CreditList::kMaxEntries) break;
      if (!agent.name.empty()) stated.push_back({agent.name, kNoRoleOrder, {}});
    }
  }
  CreditList credits(false);
  for (const StatedCredit& credit : stated) credits.Add(credit.Entry());
  AssignAuthors(book, credits, authors, true, true, true, "");
  FillReading(book.Author1, book.Author1Reading, stated, agents);
  FillReading(book.Author2, book.Author2Reading, stated, agents);
}

}  // namespace

bool FillRecord(const XmlDocument& doc, Element resource, Element admin, TBase& book, const Dictionary& authors) {
  const AnswerReader reader(doc);
  const Properties found = reader.Read(resource);

  std::string_view title = reader.DescribedText(found.title, kRdf, "value");
  std::string_view titleReading = reader.DescribedText(found.title, kDcndl, "transcription");
  if (title.empty()) {
    title = reader.Text(found.termsTitle);
    titleReading = {};
  }
  book.Title = ToShiftJis(TitleProper(title));
  if (book.Title.empty()) return false;
  book.TitleReading = WithoutSpaces(ToShiftJis(titleReading));

  book.Volume = VolumeNumber(reader.DescribedText(found.volume, kRdf, "value"));
  const std::string_view series = reader.DescribedText(found.series, kRdf, "value");
  book.Label = ToShiftJis(series.substr(0, series.find(" ; ")));
  if (found.publisher != kNone)
    book.Publisher = ToShiftJis(reader.ChildText(doc.Child(found.publisher, kFoaf, "Agent"), kFoaf, "name"));

  const std::string_view extent = reader.Text(found.extent);
  book.BookSize = BookSizeFromExtent(extent);
  book.PageCount = std::string(PagesFromExtent(extent));
  book.Price = PriceDigits(reader.Text(found.price));
  FillDate(reader.Text(found.date), book);

  book.Description = ReplaceAllOnCharBoundary(ToShiftJis(reader.Text(found.abstract)), "　"_sjis, " ");
  TrimIn(book.Description);
  if (admin != kNone) book.PageUrl = ToShiftJis(doc.Attribute(admin, kRdf, "about"));

  FillCredits(reader, found, book, authors);
  return true;
}

}  // namespace okuzuke::catalogue
