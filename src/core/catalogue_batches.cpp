#include "core/catalogue_batches.h"

#include <algorithm>
#include <map>

#include "text/file_io.h"

namespace okuzuke {

namespace {

using Clock = std::chrono::steady_clock;

class CatalogueAsker {
 public:
  CatalogueAsker(RunContext& ctx, RunPorts& ports, const std::vector<WaitingCode>& waiting,
                 const WaitingCodeWriter& write)
      : ctx_(ctx), ports_(ports), waiting_(waiting), write_(write), path_(ctx.workFolder + kDownloadFileName) {
    for (std::size_t i = 0; i < waiting.size(); ++i) {
      const std::string isbn13 = waiting[i].isbn.substr(0, 13);
      auto [codes, added] = codesOf_.try_emplace(isbn13);
      if (added) distinct_.push_back(isbn13);
      codes->second.push_back(i);
    }
  }

  RunEnd Run() {
    bool oneByOne = false;
    for (std::size_t next = 0; next < distinct_.size();) {
      const std::size_t n = oneByOne ? 1 : std::min(catalogue::kBatchSize, distinct_.size() - next);
      const std::vector<std::string> batch(distinct_.begin() + next, distinct_.begin() + next + n);
      catalogue::Candidates chosen;
      const Outcome outcome = AskBatch(batch, chosen);
      if (outcome == Outcome::QueryRefused) {
        oneByOne = true;
        continue;
      }
      Write(batch, chosen);
      next += n;
      if (outcome == Outcome::Stopped) return RunEnd::Stopped;
      if (outcome == Outcome::ConnectionLost) {
        ShowLostConnection(batch);
        return RunEnd::ConnectionLost;
      }
      // Given up: the codes still waiting get no record.
      if (outcome == Outcome::GaveUp) break;
    }
    return RunEnd::Completed;
  }

 private:
  enum class Outcome { Answered, GaveUp, QueryRefused, Stopped, ConnectionLost };

  // Every page of one batch's answer.
  Outcome AskBatch(const std::vector<std::string>& batch, catalogue::Candidates& chosen) {
    std::uint64_t start = 0;
    for (int page = 0; page < kMaxPagesPerBatch; ++page) {
      std::uint64_t next = 0;
      const Outcome outcome = Request(catalogue::CatalogueBatchUrl(batch, start), batch, chosen, next);
      if (outcome != Outcome::Answered) return outcome;
      // A single code's address asks for one record: its first is enough.
      if (batch.size() == 1 || next <= std::max<std::uint64_t>(start, 1)) return outcome;
      start = next;
    }
    return Outcome::Answered;
  }

  // One request, tried again after longer and longer waits while the
  // service does not answer it.
  Outcome Request(const std::string& url, const std::vector<std::string>& batch, catalogue::Candidates& chosen,
                  std::uint64_t& next) {
    for (std::size_t attempt = 0;; ++attempt) {
      if (!PaceUntil(Due(attempt))) return Outcome::Stopped;
      ports_.pumpMessages();
      if (ctx_.stop) return Outcome::Stopped;
      ctx_.lastCatalogueRequest = ports_.now();
      if (!ports_.host.CanConnect(url)) {
        failedUrl_ = url;
        return Outcome::ConnectionLost;
      }
      // An answer left from the previous request must not pass for this one.
      RemoveFile(path_);
      ports_.host.Download(path_, url);
      const catalogue::AnswerReport report = ports_.catalogueAnswer(path_, batch, ctx_.authors, chosen);
      if (report.verdict == catalogue::Verdict::Answered) {
        next = report.nextRecord;
        return Outcome::Answered;
      }
      if (report.verdict == catalogue::Verdict::QueryRefused && batch.size() > 1) return Outcome::QueryRefused;
      if (attempt == std::size(kRetryIntervals)) return Outcome::GaveUp;
    }
  }

  // When the next request may start: an interval after the last one began,
  // or, for a try again, the wait for that try from now.
  Clock::time_point Due(std::size_t attempt) const {
    const std::chrono::milliseconds interval(ctx_.fallback.intervalMs);
    if (attempt > 0) return ports_.now() + interval * kRetryIntervals[attempt - 1];
    if (!ctx_.lastCatalogueRequest) return ports_.now();
    return *ctx_.lastCatalogueRequest + interval;
  }

  // Waits until `due`, letting the wait window's messages run; false when
  // the stop flag was set meanwhile.
  bool PaceUntil(Clock::time_point due) {
    for (auto now = ports_.now(); now < due && !ctx_.stop; now = ports_.now())
      ports_.pause(std::chrono::ceil<std::chrono::milliseconds>(due - now));
    return !ctx_.stop;
  }

  void Write(const std::vector<std::string>& batch, catalogue::Candidates& chosen) {
    for (const std::string& isbn13 : batch) {
      const auto found = chosen.find(isbn13);
      if (found == chosen.end()) continue;
      for (std::size_t code : codesOf_[isbn13]) {
        TBase book = found->second.book;
        write_(waiting_[code], book);
      }
    }
  }

  // The addresses that failed: the publishers' of the batch's codes, then
  // the catalogue's.
  void ShowLostConnection(const std::vector<std::string>& batch) {
    std::vector<std::string> urls;
    for (const std::string& isbn13 : batch)
      for (std::size_t code : codesOf_[isbn13])
        for (const std::string& url : waiting_[code].unreachable)
          if (std::find(urls.begin(), urls.end(), url) == urls.end()) urls.push_back(url);
    urls.push_back(failedUrl_);
    std::string message(kNoConnection);
    for (const std::string& url : urls) message += "\r\n" + url;
    ports_.showMessage(message);
  }

  RunContext& ctx_;
  RunPorts& ports_;
  const std::vector<WaitingCode>& waiting_;
  const WaitingCodeWriter& write_;
  std::string path_;
  std::vector<std::string> distinct_;                      // the ISBNs to ask for, in list order
  std::map<std::string, std::vector<std::size_t>> codesOf_;  // ISBN -> its waiting codes
  std::string failedUrl_;
};

}  // namespace

RunEnd AskCatalogue(RunContext& ctx, RunPorts& ports, const std::vector<WaitingCode>& waiting,
                    const WaitingCodeWriter& write) {
  return CatalogueAsker(ctx, ports, waiting, write).Run();
}

}  // namespace okuzuke
