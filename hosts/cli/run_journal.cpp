#include "cli/run_journal.h"

#include <exception>

#include "catalogue/catalogue.h"
#include "core/dispatch.h"
#include "publishers/registry.h"
#include "text/dictionaries.h"
#include "text/sjis.h"

namespace okuzuke::cli {

namespace {

std::string Clock(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  char text[32];
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  return text;
}

// The dispatch table's name for the publisher whose site serves `url`.
std::string PublisherOf(const std::string& url) {
  for (const DispatchRow& row : kDispatchTable)
    for (const Route& route : row.routes)
      if (!route.site.empty() && url.rfind(route.site, 0) == 0) return std::string(row.publisher);
  std::size_t host = url.find("://");
  return url.substr(host == std::string::npos ? 0 : host + 3, url.find('/', host + 3) - host - 3);
}

// The national library catalogue's search address, whatever the ISBNs.
bool IsCatalogue(const std::string& url) { return !catalogue::IsbnsAsked(url).empty(); }

constexpr const char* kCatalogueName = "the national library catalogue";

std::string Cleaned(const std::string& code) {
  std::string out;
  for (char c : code)
    if (c != '-' && c != ' ') out += c;
  return out;
}

}  // namespace

RunJournal::RunJournal(JournalOptions options)
    : options_(std::move(options)), start_(std::chrono::steady_clock::now()) {}

void RunJournal::CodeChecked(const std::string& code, const std::string& isbn) {
  CodeDone();
  Code started;
  started.code = code;
  started.isbn = isbn;
  codes_.push_back(std::move(started));
  ShowProgress(false);
}

void RunJournal::Connected(const std::string& url, bool reachable, const std::string& failure) {
  if (reachable) return;
  if (IsCatalogue(url)) {
    for (const std::string& isbn : catalogue::IsbnsAsked(url)) {
      CatalogueIsbn& asked = catalogue_[isbn];
      asked.unreachable = true;
      asked.url = url;
      asked.problem = failure;
    }
    connectionLost_ = true;
    return;
  }
  if (codes_.empty()) return;
  Code& code = codes_.back();
  code.unreachable = true;
  code.lastUrl = url;
  code.failure = failure;
  // With the catalogue on, its own check decides whether the run ends.
  if (!options_.catalogue) connectionLost_ = true;
}

void RunJournal::DownloadStarting(const std::string& url) {
  if (IsCatalogue(url)) return CatalogueRequestStarting(url);
  if (codes_.empty()) return;
  codes_.back().site = PublisherOf(url);
  ShowProgress(false);
}

void RunJournal::Downloaded(const std::string& url, bool stored, const std::string& failure) {
  if (IsCatalogue(url)) return CatalogueAnswered(url, stored, failure);
  if (codes_.empty()) return;
  Code& code = codes_.back();
  ++code.downloads;
  code.lastUrl = url;
  code.stored = stored;
  code.failure = failure;
}

void RunJournal::Finish() {
  CodeDone();
  if (options_.progress == JournalOptions::Progress::InPlace) std::fputs("\r\x1b[K", options_.out);
  std::fflush(options_.out);
}

// The last code's pages are all in: count its record, if the scraper finds
// one, for the progress line.
void RunJournal::CodeDone() {
  if (codes_.empty() || codes_.back().done) return;
  Code& code = codes_.back();
  code.done = true;
  if (options_.progress != JournalOptions::Progress::None && PredictRecord(code)) {
    code.predictedRecord = true;
    ++recordsSoFar_;
  }
  ShowProgress(true);
}

// Runs the scraper the plug-in chose on the page it was given. The result
// file, read when the run is over, has the final word.
bool RunJournal::PredictRecord(const Code& code) const {
  if (code.isbn.size() < 13) return false;
  const std::string page = options_.workFolder + "Temp.html";
  if (!code.stored) return false;
  try {
    std::optional<Request> request = Dispatch(std::string_view(code.isbn).substr(0, 13), options_.tenDigitInput);
    if (!request) return false;
    ScraperId scraper = request->row->scraper;
    if (request->row->search == SearchStage::MediaFactory)
      scraper = Contains(code.lastUrl, "bunkoj") ? ScraperId::MediaFactoryNew : ScraperId::MediaFactoryOld;
    if (request->row->search == SearchStage::Kadokawa) {
      SearchHit fallback = KadokawaFallback(std::string_view(code.isbn).substr(0, 13));
      if (code.lastUrl == fallback.url) scraper = fallback.scraper;
    }
    TBase book;
    Dictionary authors;
    const bool stop = false;
    ScrapeContext ctx{book, authors, stop};
    return ScraperFor(scraper).scrape(page, ctx) == 1;
  } catch (const std::exception&) {
    return false;
  }
}

void RunJournal::ShowProgress(bool codeDone) {
  using Progress = JournalOptions::Progress;
  if (options_.progress == Progress::None || codes_.empty()) return;
  if (options_.progress == Progress::Lines && !codeDone) return;
  const std::size_t done = codes_.size() - (codeDone ? 0 : 1);
  const std::size_t total = std::max(options_.codeCount, codes_.size());
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const Code& code = codes_.back();
  std::string line = "[";
  line += std::to_string(done);
  line += '/';
  line += std::to_string(total);
  line += "] ";
  line += std::to_string(recordsSoFar_);
  line += recordsSoFar_ == 1 ? " record" : " records";
  if (options_.progress == Progress::Lines) line += "  " + code.code;
  if (!code.site.empty()) line += (codeDone ? "  asked " : "  asking ") + code.site;
  line += "  " + Clock(elapsed) + " elapsed";
  if (done > 0 && done < total) line += ", about " + Clock(elapsed / done * (total - done)) + " left";
  if (options_.progress == Progress::InPlace)
    std::fprintf(options_.out, "\r\x1b[K%s", line.c_str());
  else
    std::fprintf(options_.out, "%s\n", line.c_str());
  std::fflush(options_.out);
}

std::vector<std::size_t> RunJournal::RecordCodes(const std::vector<std::string>& codes,
                                                 const std::vector<TBase>& records) const {
  std::vector<std::size_t> owners;
  for (std::size_t i = 0; i < codes.size() && i < codes_.size() && owners.size() < records.size(); ++i) {
    const Code& code = codes_[i];
    const TBase& record = records[owners.size()];
    // Records come in code order, one at most per code, with the checked
    // ISBN (or the ISBN-10 of a code with classification and price).
    if (!record.Isbn.empty() && (code.stored || FoundInCatalogue(code)) &&
        (code.isbn.rfind(record.Isbn, 0) == 0 || Contains(Cleaned(code.code), record.Isbn)))
      owners.push_back(i);
  }
  return owners;
}

std::vector<CodeWithoutRecord> RunJournal::CodesWithoutRecord(const std::vector<std::string>& codes,
                                                              const std::vector<TBase>& records) const {
  const std::vector<std::size_t> owners = RecordCodes(codes, records);
  std::vector<CodeWithoutRecord> lines;
  std::size_t record = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (i >= codes_.size()) {
      lines.push_back({codes[i], "not looked up: the run had ended"});
      continue;
    }
    if (record < owners.size() && owners[record] == i) {
      ++record;
      continue;
    }
    const Code& code = codes_[i];
    std::string why;
    if (code.isbn.empty())
      why = "not a valid ISBN";
    else if (code.unreachable)
      why = "the site could not be reached (" + code.failure + "): " + code.lastUrl +
            (options_.catalogue ? "" : "; the run ended here");
    else if (code.downloads == 0)
      why = "no publisher for its prefix";
    else if (!code.stored)
      why = "the page could not be fetched (" + code.failure + "): " + code.lastUrl;
    else
      why = "the page was fetched, but the publisher's scraper found no book on it: " + code.lastUrl;
    if (options_.catalogue) why += CatalogueReason(code);
    lines.push_back({codes[i], why});
  }
  return lines;
}

std::vector<bool> RunJournal::FromCatalogue(const std::vector<std::string>& codes,
                                            const std::vector<TBase>& records) const {
  std::vector<bool> fromCatalogue;
  for (std::size_t i : RecordCodes(codes, records))
    fromCatalogue.push_back(FoundInCatalogue(codes_[i]));
  fromCatalogue.resize(records.size(), false);
  return fromCatalogue;
}

void RunJournal::CatalogueRequestStarting(const std::string& url) {
  CodeDone();  // the publishers are done when the catalogue is asked
  const std::vector<std::string> isbns = catalogue::IsbnsAsked(url);
  if (url == lastCatalogueUrl_) {
    ++catalogueTry_;
  } else {
    catalogueTry_ = 1;
    ++catalogueRequests_;
  }
  lastCatalogueUrl_ = url;
  for (const std::string& isbn : isbns) catalogue_[isbn];
  if (options_.progress == JournalOptions::Progress::None) return;
  // The requests still to come: the ISBNs of codes no publisher gave that
  // no request has asked for yet, fifty a request.
  std::set<std::string> waiting;
  for (const Code& code : codes_)
    if (code.isbn.size() >= 13 && !code.predictedRecord && !catalogue_.count(code.isbn.substr(0, 13)))
      waiting.insert(code.isbn.substr(0, 13));
  const std::size_t total = catalogueRequests_ + (waiting.size() + catalogue::kBatchSize - 1) / catalogue::kBatchSize;
  std::string line = "catalogue: " + std::to_string(isbns.size()) + (isbns.size() == 1 ? " code" : " codes") +
                     ", request " + std::to_string(catalogueRequests_) + " of " + std::to_string(total);
  if (catalogueTry_ > 1) line += " (try " + std::to_string(catalogueTry_) + ")";
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  line += "  " + Clock(elapsed) + " elapsed";
  if (options_.progress == JournalOptions::Progress::InPlace)
    std::fprintf(options_.out, "\r\x1b[K%s", line.c_str());
  else
    std::fprintf(options_.out, "%s\n", line.c_str());
  std::fflush(options_.out);
}

// Reads the answer as the plug-in does, to tell an answer without the code
// from one that is no answer at all.
void RunJournal::CatalogueAnswered(const std::string& url, bool stored, const std::string& failure) {
  const std::vector<std::string> isbns = catalogue::IsbnsAsked(url);
  catalogue::AnswerReport report;
  catalogue::Candidates found;
  if (stored) {
    const Dictionary noAuthors;
    report = catalogue::ReadAnswerFile(options_.workFolder + "Temp.html", isbns, noAuthors, found);
  } else {
    report.problem = failure.empty() ? "nothing stored" : failure;
  }
  lastCatalogueProblem_ = report.verdict == catalogue::Verdict::Answered ? "" : report.problem;
  for (const std::string& isbn : isbns) {
    CatalogueIsbn& asked = catalogue_[isbn];
    asked.asked = true;
    asked.url = url;
    asked.answered = report.verdict == catalogue::Verdict::Answered;
    asked.problem = report.problem;
    if (found.count(isbn)) asked.found = true;
  }
}

bool RunJournal::FoundInCatalogue(const Code& code) const {
  if (code.isbn.size() < 13) return false;
  const auto asked = catalogue_.find(code.isbn.substr(0, 13));
  return asked != catalogue_.end() && asked->second.found;
}

std::string RunJournal::CatalogueReason(const Code& code) const {
  if (code.isbn.size() < 13) return {};
  const auto asked = catalogue_.find(code.isbn.substr(0, 13));
  if (asked != catalogue_.end() && asked->second.unreachable)
    return "; the catalogue could not be reached (" + asked->second.problem + "): " + asked->second.url +
           "; the run ended here";
  if (asked == catalogue_.end() || !asked->second.asked) {
    if (!lastCatalogueProblem_.empty())
      return "; the catalogue was not asked: it had stopped answering (" + lastCatalogueProblem_ + ")";
    return "; the catalogue was not asked: the run had ended";
  }
  if (!asked->second.answered) return "; the catalogue did not answer (" + asked->second.problem + ")";
  return "; not in the catalogue either";
}

}  // namespace okuzuke::cli
