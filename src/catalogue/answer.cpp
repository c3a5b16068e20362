// From the catalogue's answer to the records of the codes it was asked for.
// The answer is an SRU searchRetrieveResponse; each of its records holds an
// rdf:RDF with a dcndl:BibAdminResource (the record's page and which
// catalogue it comes from) and the book's dcndl:BibResource, inline or as
// escaped text to be read again. A second dcndl:BibResource of the same
// book may follow holding only links to holdings: it is never the book.
#include <algorithm>
#include <charconv>

#include "catalogue/catalogue.h"
#include "catalogue/record_mapping.h"
#include "text/file_read.h"
#include "text/file_stamp.h"
#include "text/private_prefs.h"
#include "text/sjis.h"

namespace okuzuke::catalogue {

namespace {

constexpr Element kNone = XmlDocument::kNoElement;
constexpr std::string_view kIsbnType = "http://ndl.go.jp/dcndl/terms/ISBN";
// The library's own catalogue; other numbers are holdings of other
// libraries, braille editions, digitised copies.
constexpr std::string_view kLibraryOwnCategory = "R100000002";
constexpr std::string_view kNoSuchRecord = "Record does not exist";
constexpr std::string_view kPrivateMarkerSuffix = ".pelmar_private";

// "978-4-7980-0206-2", "4-7980-0206-2", "4798002062": the 13 digits, or
// empty when the text is no ISBN of either length.
std::string Isbn13Of(std::string_view text) {
  std::string digits;
  for (char c : TrimView(text)) {
    if (c == '-' || c == ' ') continue;
    if (digits.size() == 13) return {};
    digits += c;
  }
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (digits.size() == 13) return std::all_of(digits.begin(), digits.end(), isDigit) ? digits : std::string();
  if (digits.size() != 10 || !std::all_of(digits.begin(), digits.begin() + 9, isDigit)) return {};
  std::string isbn = "978" + digits.substr(0, 9);
  int sum = 0;
  for (std::size_t i = 0; i < 12; ++i) sum += (isbn[i] - '0') * (i % 2 == 0 ? 1 : 3);
  isbn += static_cast<char>('0' + (10 - sum % 10) % 10);
  return isbn;
}

std::uint64_t NumberIn(std::string_view text) {
  text = TrimView(text);
  std::uint64_t n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  return ec == std::errc() && end == text.data() + text.size() ? n : 0;
}

// The child of `e` with this local name, whatever its namespace.
Element ChildNamed(const XmlDocument& doc, Element e, std::string_view local) {
  for (Element c = doc.FirstChild(e); c != kNone; c = doc.NextSibling(c))
    if (doc.LocalName(c) == local) return c;
  return kNone;
}

// A diagnostic about the query itself: SRU numbers them 10 to 48, and the
// service's own messages say "query".
bool IsQueryDiagnostic(std::string_view uri, std::string_view message) {
  constexpr std::string_view kGeneral = "info:srw/diagnostic/1/";
  if (uri.starts_with(kGeneral)) {
    const std::uint64_t n = NumberIn(uri.substr(kGeneral.size()));
    if (n >= 10 && n <= 48) return true;
  }
  std::string lower(message);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return lower.find("query") != std::string::npos;
}

class AnswerReader {
 public:
  AnswerReader(const std::vector<std::string>& isbn13s, const Dictionary& authors, Candidates& chosen)
      : asked_(isbn13s), authors_(authors), chosen_(chosen) {}

  AnswerReport Read(std::string_view answer) {
    AnswerReport report;
    XmlDocument doc;
    if (!doc.Parse(answer)) {
      report.problem = TrimView(answer).empty()                             ? "an empty answer"
                       : answer.find("searchRetrieveResponse") != std::string_view::npos ? "a malformed SRU answer"
                                                                                          : "not an SRU answer";
      return report;
    }
    const Element root = doc.Root();
    if (!doc.Is(root, kSru, "searchRetrieveResponse")) {
      report.problem = "not an SRU answer";
      return report;
    }
    const Element count = doc.Child(root, kSru, "numberOfRecords");
    std::size_t given = 0;
    if (const Element records = doc.Child(root, kSru, "records"); records != kNone) {
      for (Element r = doc.FirstChild(records); r != kNone; r = doc.NextSibling(r)) {
        if (!doc.Is(r, kSru, "record")) continue;
        ++given;
        ReadRecord(doc, doc.Child(r, kSru, "recordData"));
      }
    }
    const std::uint64_t total = count == kNone ? 0 : NumberIn(doc.Text(count));
    if (given == 0 && !(count != kNone && total == 0 && TrimView(doc.Text(count)) == "0")) {
      Diagnose(doc, root, report);
      if (report.verdict != Verdict::Answered) return report;
    }
    report.verdict = Verdict::Answered;
    // More records than this page gave: where the service says the next
    // page starts (0 there, or no number, when there is none).
    if (const Element next = doc.Child(root, kSru, "nextRecordPosition"); next != kNone && given > 0 && total > given)
      report.nextRecord = NumberIn(doc.Text(next));
    if (report.nextRecord <= 1) report.nextRecord = 0;
    return report;
  }

 private:
  // No records: "Record does not exist" is an answer, any other diagnostic,
  // or none, is not.
  static void Diagnose(const XmlDocument& doc, Element root, AnswerReport& report) {
    const Element diagnostics = doc.Child(root, kSru, "diagnostics");
    std::string problem = "an SRU answer without records";
    bool query = false;
    for (Element d = diagnostics == kNone ? kNone : doc.FirstChild(diagnostics); d != kNone; d = doc.NextSibling(d)) {
      if (doc.LocalName(d) != "diagnostic") continue;
      const Element uriElement = ChildNamed(doc, d, "uri");
      const Element messageElement = ChildNamed(doc, d, "message");
      const std::string_view uri = uriElement == kNone ? "" : TrimView(doc.Text(uriElement));
      const std::string_view message = messageElement == kNone ? "" : TrimView(doc.Text(messageElement));
      if (message == kNoSuchRecord) {
        report.verdict = Verdict::Answered;
        return;
      }
      problem = std::string(message.empty() ? uri : message);
      query = IsQueryDiagnostic(uri, message);
    }
    report.verdict = query ? Verdict::QueryRefused : Verdict::NotAnswered;
    report.problem = std::move(problem);
  }

  // One record's data: the rdf:RDF inside it, or its text read as XML.
  void ReadRecord(const XmlDocument& doc, Element data) {
    if (data == kNone) return;
    if (const Element rdf = doc.Child(data, kRdf, "RDF"); rdf != kNone) return ReadRdf(doc, rdf);
    XmlDocument packed;
    if (packed.Parse(TrimView(doc.Text(data))) && packed.Is(packed.Root(), kRdf, "RDF")) ReadRdf(packed, packed.Root());
  }

  void ReadRdf(const XmlDocument& doc, Element rdf) {
    Element admin = kNone, book = kNone;
    for (Element e = doc.FirstChild(rdf); e != kNone; e = doc.NextSibling(e)) {
      if (admin == kNone && doc.Is(e, kDcndl, "BibAdminResource")) admin = e;
      if (book == kNone && doc.Is(e, kDcndl, "BibResource") && DescribesTheBook(doc, e)) book = e;
    }
    if (book == kNone) return;
    const Element category = admin == kNone ? kNone : doc.Child(admin, kDcndl, "bibRecordCategory");
    const bool libraryOwn = category != kNone && TrimView(doc.Text(category)) == kLibraryOwnCategory;
    for (Element p = doc.FirstChild(book); p != kNone; p = doc.NextSibling(p)) {
      if (!doc.Is(p, kDcterms, "identifier") || doc.Attribute(p, kRdf, "datatype") != kIsbnType) continue;
      const std::string isbn = Isbn13Of(doc.Text(p));
      if (isbn.empty() || std::find(asked_.begin(), asked_.end(), isbn) == asked_.end()) continue;
      Offer(doc, book, admin, isbn, libraryOwn);
    }
  }

  // The book's resource has more than the links to its holdings.
  static bool DescribesTheBook(const XmlDocument& doc, Element resource) {
    for (Element p = doc.FirstChild(resource); p != kNone; p = doc.NextSibling(p))
      if (!doc.Is(p, kDcndl, "record")) return true;
    return false;
  }

  // The record stands for the code unless the code has one already that is
  // as good: from the library's own catalogue, or any with a title.
  void Offer(const XmlDocument& doc, Element book, Element admin, const std::string& isbn, bool libraryOwn) {
    const auto held = chosen_.find(isbn);
    if (held != chosen_.end() && (held->second.libraryOwn || !libraryOwn)) return;
    Candidate candidate;
    candidate.libraryOwn = libraryOwn;
    ClearBookRecord(candidate.book);
    candidate.book.Isbn = isbn;
    if (!FillRecord(doc, book, admin, candidate.book, authors_)) return;
    chosen_[isbn] = std::move(candidate);
  }

  const std::vector<std::string>& asked_;
  const Dictionary& authors_;
  Candidates& chosen_;
};

}  // namespace

AnswerReport ReadAnswer(std::string_view answer, const std::vector<std::string>& isbn13s, const Dictionary& authors,
                        Candidates& chosen) {
  return AnswerReader(isbn13s, authors, chosen).Read(answer);
}

AnswerReport ReadAnswerFile(const std::string& path, const std::vector<std::string>& isbn13s,
                            const Dictionary& authors, Candidates& chosen) {
  AnswerReport report;
  const std::optional<FileStamp> stamp = StampOf(path);
  std::string answer;
  if (stamp && stamp->size > kMaxXmlBytes) {
    report.problem = "an answer too large to read";
    return report;
  }
  if (!stamp || !ReadWholeFileInto(path, answer)) {
    report.problem = "nothing stored";
    return report;
  }
  report = ReadAnswer(answer, isbn13s, authors, chosen);
  // The preferences are the same for every page, and applying them twice
  // changes nothing.
  const std::string marker = path + std::string(kPrivateMarkerSuffix);
  for (auto& [isbn, candidate] : chosen) ApplyPrivatePreferences(candidate.book, marker, "", "");
  return report;
}

namespace {

// The one code's record from what ReadAnswer or ReadAnswerFile chose.
int OneRecord(Candidates& chosen, const std::string& isbn, TBase& book) {
  const auto found = chosen.find(isbn);
  if (found == chosen.end()) {
    ClearBookRecord(book);
    return 0;
  }
  book = std::move(found->second.book);
  return 1;
}

}  // namespace

int RecordFromAnswer(std::string_view answer, std::string_view isbn13, TBase& book, const Dictionary& authors) {
  Candidates chosen;
  const std::string isbn(isbn13);
  ReadAnswer(answer, {isbn}, authors, chosen);
  return OneRecord(chosen, isbn, book);
}

int RecordFromAnswerFile(const std::string& path, std::string_view isbn13, TBase& book, const Dictionary& authors) {
  Candidates chosen;
  const std::string isbn(isbn13);
  ReadAnswerFile(path, {isbn}, authors, chosen);
  return OneRecord(chosen, isbn, book);
}

}  // namespace okuzuke::catalogue
