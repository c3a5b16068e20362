#include "core/lookup_run.h"

#include <algorithm>
#include <optional>

#include "core/catalogue_batches.h"
#include "core/code_lines.h"
#include "core/dispatch.h"
#include "core/search_links.h"
#include "core/settings.h"
#include "publishers/registry.h"
#include "text/file_io.h"
#include "text/title.h"

namespace okuzuke {

namespace {

enum class CodeOutcome { Added, Skipped, ConnectionLost, WaitsForCatalogue };

// What every found book gets before it is written: the code's own parts,
// the dictionaries, the volume and the user's settings.
std::string CompletedRecord(RunContext& ctx, const RunPorts& ports, const std::string& isbn) {
  TBase& book = ctx.book;
  ApplyAddOnCode(book, isbn);
  if (isbn.size() == 18) ApplyClassificationLine(book, isbn);
  LookupPublisher(book, ctx.workFolder, ctx.publishers);
  LookupLabel(book, ctx.labels);
  book.Volume = NormalizeVolume(book.Volume);
  ApplyEntrySettings(book, ports.settingsPath);
  return SerializeBookRecord(book);
}

class CodeLookup {
 public:
  CodeLookup(RunContext& ctx, RunPorts& ports)
      : ctx_(ctx), ports_(ports), pagePath_(ctx.workFolder + kDownloadFileName) {}

  // Looks up one code line. A code for the catalogue is described in
  // `waiting` (all but its place in the output).
  CodeOutcome Run(std::string& line, WaitingCode& waiting);

 private:
  // The publisher's page for the code, as the dispatch table says.
  CodeOutcome FromPublisher(const std::string& isbn);
  // Checks the connection and stores `url` at the download path. False when
  // the site cannot be reached (its address is kept for the message).
  bool Fetch(const std::string& url);
  std::optional<SearchHit> Search(const Request& request, std::string_view isbn13);

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

CodeOutcome CodeLookup::Run(std::string& line, WaitingCode& waiting) {
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
    if (outcome != CodeOutcome::Added) {
      waiting.isbn = isbn;
      waiting.ccode = typed_.CCode;
      waiting.price = typed_.Price;
      waiting.unreachable = std::move(unreachable_);
      return CodeOutcome::WaitsForCatalogue;
    }
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
  ctx_.output.push_back(CompletedRecord(ctx_, ports_, isbn));
  return CodeOutcome::Added;
}

}  // namespace

RunEnd LookupLines(RunContext& ctx, RunPorts& ports, std::vector<std::string> lines,
                   const std::string& resultPath) {
  RunEnd end = RunEnd::Completed;
  std::vector<WaitingCode> waiting;
  try {
    ctx.fallback = ReadFallbackSettings(ports.settingsPath);
    for (std::string& line : lines) {
      ports.pumpMessages();
      if (ctx.stop) {
        end = RunEnd::Stopped;
        break;
      }
      CodeOutcome outcome = CodeOutcome::Skipped;
      WaitingCode code;
      try {
        outcome = CodeLookup(ctx, ports).Run(line, code);
      } catch (...) {
        // A malformed code or page ends only this code's lookup.
      }
      if (outcome == CodeOutcome::WaitsForCatalogue) {
        code.slot = ctx.output.size();
        ctx.output.emplace_back();
        waiting.push_back(std::move(code));
      }
      if (outcome == CodeOutcome::ConnectionLost) {
        end = RunEnd::ConnectionLost;
        break;
      }
    }
    if (end == RunEnd::Completed && !waiting.empty()) {
      end = AskCatalogue(ctx, ports, waiting, [&ctx, &ports](const WaitingCode& code, TBase& book) {
        // The record was made anew: what the typed line said of the book
        // stays where the catalogue says nothing.
        ctx.book = std::move(book);
        if (ctx.book.CCode.empty()) ctx.book.CCode = code.ccode;
        if (ctx.book.Price.empty()) ctx.book.Price = code.price;
        try {
          ctx.output[code.slot] = CompletedRecord(ctx, ports, code.isbn);
        } catch (...) {
          // A record that cannot be completed is left out, like a page
          // that cannot be read.
        }
      });
    }
  } catch (...) {
    // Anything else ends the run; what was found so far is still saved.
  }
  std::erase(ctx.output, std::string());
  if (!SaveLines(resultPath, ctx.output))
    ports.showMessage(std::string(kResultNotSaved) + "\r\n" + resultPath);
  return end;
}

}  // namespace okuzuke
