#include "core/lookup_run.h"

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

enum class CodeOutcome { Added, Skipped, ConnectionLost };

class CodeLookup {
 public:
  CodeLookup(RunContext& ctx, RunPorts& ports)
      : ctx_(ctx), ports_(ports), pagePath_(ctx.workFolder + kDownloadFileName) {}

  CodeOutcome Run(std::string& line);

 private:
  // Checks the connection and stores `url` at the download path. False when
  // the site cannot be reached (the user has been told).
  bool Fetch(const std::string& url);
  std::optional<SearchHit> Search(const Request& request, std::string_view isbn13);

  RunContext& ctx_;
  RunPorts& ports_;
  std::string pagePath_;
  bool connectionLost_ = false;
};

bool CodeLookup::Fetch(const std::string& url) {
  if (!ports_.host.CanConnect(url)) {
    ports_.showMessage(std::string(kNoConnection) + "\r\n" + url);
    connectionLost_ = true;
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

  line = ports_.host.CheckIsbn(book.Isbn);
  const std::string& isbn = line;
  if (isbn.empty()) return CodeOutcome::Skipped;

  std::optional<Request> request = Dispatch(isbn, ctx_.tenDigitInput);
  if (!request) return CodeOutcome::Skipped;

  std::optional<SearchHit> hit;
  if (request->row->search == SearchStage::None) {
    hit = SearchHit{request->url, request->row->scraper};
  } else {
    hit = Search(*request, isbn);
    if (connectionLost_) return CodeOutcome::ConnectionLost;
  }
  if (!hit) return CodeOutcome::Skipped;

  if (!Fetch(hit->url)) return CodeOutcome::ConnectionLost;
  if (!FileExists(pagePath_)) return CodeOutcome::Skipped;

  ScrapeContext scrape{book, ctx_.authors, ctx_.stop, nullptr, &ctx_.pages};
  if (ports_.scraperFor(hit->scraper)(pagePath_, scrape) != 1) return CodeOutcome::Skipped;

  ApplyAddOnCode(book, isbn);
  if (isbn.size() == 18) ApplyClassificationLine(book, isbn);
  LookupPublisher(book, ctx_.workFolder, ctx_.publishers);
  LookupLabel(book, ctx_.labels);
  book.Volume = NormalizeVolume(book.Volume);
  ApplyEntrySettings(book, ports_.settingsPath);
  ctx_.output.push_back(SerializeBookRecord(book));
  return CodeOutcome::Added;
}

}  // namespace

RunEnd LookupLines(RunContext& ctx, RunPorts& ports, std::vector<std::string> lines,
                   const std::string& resultPath) {
  RunEnd end = RunEnd::Completed;
  try {
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
    }
  } catch (...) {
    // Anything else ends the run; what was found so far is still saved.
  }
  if (!SaveLines(resultPath, ctx.output))
    ports.showMessage(std::string(kResultNotSaved) + "\r\n" + resultPath);
  return end;
}

}  // namespace okuzuke
