#include "core/lookup_run.h"

#include <algorithm>
#include <optional>

#include "core/code_lines.h"
#include "core/dispatch.h"
#include "core/search_links.h"
#include "core/settings.h"
#include "publishers/registry.h"
#include "text/file_io.h"
#include "text/title.h"

namespace okuzuke {

namespace {

enum class CodeOutcome { Added, Skipped, ConnectionLost, Stopped };

class CodeLookup {
 public:
  CodeLookup(RunContext& ctx, RunPorts& ports)
      : ctx_(ctx), ports_(ports), pagePath_(ctx.workFolder + kDownloadFileName) {}

  CodeOutcome Run(std::string& line);

 private:
  // The publisher's page for the code, as the dispatch table says.
  CodeOutcome FromPublisher(const std::string& isbn);
  // The national library's catalogue, for a code no publisher page gave.
  CodeOutcome FromCatalogue(const std::string& isbn);
  // Checks the connection and stores `url` at the download path. False when
  // the site cannot be reached (its address is kept for the message).
  bool Fetch(const std::string& url);
  std::optional<SearchHit> Search(const Request& request, std::string_view isbn13);
  // Waits until the next catalogue request may start; false when the stop
  // flag was set meanwhile.
  bool PaceCatalogue();
  // What every found book gets before it is written: the code's own parts,
  // the dictionaries, the volume and the user's settings.
  void Complete(const std::string& isbn);

  RunContext& ctx_;
  RunPorts& ports_;
  std::string pagePath_;
  std::vector<std::string> unreachable_;  // addresses whose connection check failed
  TBase typed_;  // the classification code and price of the typed line
};

bool CodeLookup::Fetch(const std::string& url) {
  if (!ports_.host.CanConnect(url)) {
    unreachable_.push_back(url);
    return false;
  }
  // A page left from the previous request must not pass for this one when
  // the host stores nothing.
  RemoveFile(pagePath_);
  ports_.host.Download(pagePath_, url);
  return true;
}

std::optional<SearchHit> CodeLookup::Search(const Request& request, std::string_view isbn13) {
  const SearchStage stage = request.row->search;
  if (!Fetch(request.url)) return std::nullopt;
  std::optional<SearchHit> hit;
  if (auto page = ReadWholeFile(pagePath_))
    hit = FindDetailLink(stage, request.site, SearchPageLines(stage, *page));
  if (!hit && stage == SearchStage::Kadokawa) hit = KadokawaFallback(isbn13);
  return hit;
}

CodeOutcome CodeLookup::Run(std::string& line) {
  TBase& book = ctx_.book;
  ClearBookRecord(book);
  book.Isbn = CleanTypedCode(line);
  LoadAuthorDictionary(ctx_.authors, ctx_.workFolder);
  LookupPublisher(book, ctx_.workFolder, ctx_.publishers);
  LoadLabelDictionary(ctx_.labels, ctx_.workFolder);
  // The code as cleaned is the one looked up: a classification line typed
  // with blanks is still one, and hyphens never end up in the ISBN.
  if (book.Isbn.size() == 18) ApplyClassificationLine(book, std::string(book.Isbn));
  typed_.CCode = book.CCode;
  typed_.Price = book.Price;

  line = ports_.host.CheckIsbn(book.Isbn);
  const std::string isbn = line;
  if (isbn.empty()) return CodeOutcome::Skipped;

  CodeOutcome outcome = CodeOutcome::Skipped;
  if (!ctx_.fallback.catalogue) {
    outcome = FromPublisher(isbn);
  } else {
    try {
      outcome = FromPublisher(isbn);
    } catch (...) {
      // A malformed page is a page without the book: the catalogue is asked.
    }
    // A publisher's site that cannot be reached no longer ends the run: the
    // catalogue's own connection check decides.
    if (outcome != CodeOutcome::Added) outcome = FromCatalogue(isbn);
  }
  if (outcome == CodeOutcome::ConnectionLost) {
    std::string message(kNoConnection);
    for (const std::string& url : unreachable_) message += "\r\n" + url;
    ports_.showMessage(message);
  }
  return outcome;
}

CodeOutcome CodeLookup::FromPublisher(const std::string& isbn) {
  std::optional<Request> request = Dispatch(isbn, ctx_.tenDigitInput);
  if (!request) return CodeOutcome::Skipped;

  std::optional<SearchHit> hit;
  if (request->row->search == SearchStage::None) {
    hit = SearchHit{request->url, request->row->scraper};
  } else {
    hit = Search(*request, isbn);
    if (!unreachable_.empty()) return CodeOutcome::ConnectionLost;
  }
  if (!hit) return CodeOutcome::Skipped;

  if (!Fetch(hit->url)) return CodeOutcome::ConnectionLost;
  if (!FileExists(pagePath_)) return CodeOutcome::Skipped;

  ScrapeContext scrape{ctx_.book, ctx_.authors, ctx_.stop, nullptr, &ctx_.pages};
  if (ports_.scraperFor(hit->scraper)(pagePath_, scrape) != 1) return CodeOutcome::Skipped;
  Complete(isbn);
  return CodeOutcome::Added;
}

CodeOutcome CodeLookup::FromCatalogue(const std::string& isbn) {
  const std::string isbn13 = isbn.substr(0, 13);
  if (!PaceCatalogue()) return CodeOutcome::Stopped;
  ctx_.lastCatalogueRequest = ports_.now();
  if (!Fetch(catalogue::CatalogueUrl(isbn13))) return CodeOutcome::ConnectionLost;
  if (!FileExists(pagePath_)) return CodeOutcome::Skipped;
  TBase& book = ctx_.book;
  if (ports_.catalogueRecord(pagePath_, isbn13, book, ctx_.authors) != 1) return CodeOutcome::Skipped;
  // The record was made anew: what the typed line said of the book stays
  // where the catalogue says nothing.
  if (book.CCode.empty()) book.CCode = typed_.CCode;
  if (book.Price.empty()) book.Price = typed_.Price;
  Complete(isbn);
  return CodeOutcome::Added;
}

bool CodeLookup::PaceCatalogue() {
  if (!ctx_.lastCatalogueRequest || ctx_.fallback.intervalMs <= 0) return !ctx_.stop;
  const auto due = *ctx_.lastCatalogueRequest + std::chrono::milliseconds(ctx_.fallback.intervalMs);
  for (auto now = ports_.now(); now < due && !ctx_.stop; now = ports_.now()) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(due - now);
    ports_.pause(std::min(left, std::chrono::milliseconds(ctx_.fallback.intervalMs)));
  }
  return !ctx_.stop;
}

void CodeLookup::Complete(const std::string& isbn) {
  TBase& book = ctx_.book;
  ApplyAddOnCode(book, isbn);
  if (isbn.size() == 18) ApplyClassificationLine(book, isbn);
  LookupPublisher(book, ctx_.workFolder, ctx_.publishers);
  LookupLabel(book, ctx_.labels);
  book.Volume = NormalizeVolume(book.Volume);
  ApplyEntrySettings(book, ports_.settingsPath);
  ctx_.output.push_back(SerializeBookRecord(book));
}

}  // namespace

RunEnd LookupLines(RunContext& ctx, RunPorts& ports, std::vector<std::string> lines,
                   const std::string& resultPath) {
  RunEnd end = RunEnd::Completed;
  try {
    ctx.fallback = ReadFallbackSettings(ports.settingsPath);
    for (std::string& line : lines) {
      ports.pumpMessages();
      if (ctx.stop) {
        end = RunEnd::Stopped;
        break;
      }
      CodeOutcome outcome = CodeOutcome::Skipped;
      try {
        outcome = CodeLookup(ctx, ports).Run(line);
      } catch (...) {
        // A malformed code or page ends only this code's lookup.
      }
      if (outcome == CodeOutcome::ConnectionLost) {
        end = RunEnd::ConnectionLost;
        break;
      }
      if (outcome == CodeOutcome::Stopped) {
        end = RunEnd::Stopped;
        break;
      }
    }
  } catch (...) {
    // Anything else ends the run; what was found so far is still saved.
  }
  if (!SaveLines(resultPath, ctx.output))
    ports.showMessage(std::string(kResultNotSaved) + "\r\n" + resultPath);
  return end;
}

}  // namespace okuzuke
