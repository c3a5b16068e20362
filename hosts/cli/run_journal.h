// What `okuzuke run` learns of a run from the plug-in's calls of the host
// services: which code is being looked up, which pages were asked for and
// how each fared. It shows the progress while the run goes on and tells,
// afterwards, why each code that gave no record gave none.
#pragma once

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/page_source.h"
#include "text/record.h"

namespace okuzuke::cli {

struct JournalOptions {
  std::size_t codeCount = 0;       // codes handed to the plug-in
  bool tenDigitInput = false;      // the code list does not start with "9"
  std::string workFolder;          // where the plug-in stores "Temp.html" (ends with "/")
  bool catalogue = false;          // the plug-in asks the national library catalogue too
  enum class Progress { None, InPlace, Lines } progress = Progress::None;
  std::FILE* out = stderr;
};

struct CodeWithoutRecord {
  std::string code;    // as in the code list (Shift-JIS)
  std::string reason;  // why, in English (with the address asked for)
};

class RunJournal final : public hosts::RunObserver {
 public:
  explicit RunJournal(JournalOptions options);

  void CodeChecked(const std::string& code, const std::string& isbn) override;
  void Connected(const std::string& url, bool reachable, const std::string& failure) override;
  void DownloadStarting(const std::string& url) override;
  void Downloaded(const std::string& url, bool stored, const std::string& failure) override;

  // The run is over: ends the progress display.
  void Finish();
  // True when a site could not be reached, which ended the run early.
  bool ConnectionLost() const { return connectionLost_; }

  // Each code that gave no record (as it stands in `codes`, the list handed
  // to the plug-in) with the reason the host saw; `records` are the result
  // file's records, in code order.
  std::vector<CodeWithoutRecord> CodesWithoutRecord(const std::vector<std::string>& codes,
                                                    const std::vector<TBase>& records) const;
  // For each of `records`: true when it came from the national library
  // catalogue rather than a publisher's page.
  std::vector<bool> FromCatalogue(const std::vector<std::string>& codes,
                                  const std::vector<TBase>& records) const;

 private:
  struct Code {
    std::string code, isbn;
    std::string site;                   // the publisher being asked
    int downloads = 0;                  // of the publisher's pages
    std::string lastUrl, failure;       // the last publisher page asked for and why it failed
    bool stored = false;                // the last publisher page was stored
    bool unreachable = false;
    bool done = false;                  // all its pages are in
    bool predictedRecord = false;       // for the progress display only
  };

  // What the national library catalogue said of one ISBN, as of the last
  // request that asked for it.
  struct CatalogueIsbn {
    bool asked = false, answered = false, unreachable = false;
    bool found = false;   // a record of its answers names the ISBN
    std::string url, problem;
  };

  // A catalogue request starts: the progress shows the batch.
  void CatalogueRequestStarting(const std::string& url);
  void CatalogueAnswered(const std::string& url, bool stored, const std::string& failure);
  std::string CatalogueReason(const Code& code) const;
  bool FoundInCatalogue(const Code& code) const;

  // The code each record belongs to (an index into codes_), in record order.
  std::vector<std::size_t> RecordCodes(const std::vector<std::string>& codes,
                                       const std::vector<TBase>& records) const;

  void CodeDone();
  bool PredictRecord(const Code& code) const;
  void ShowProgress(bool codeDone);

  JournalOptions options_;
  std::vector<Code> codes_;
  std::map<std::string, CatalogueIsbn> catalogue_;  // by 13-digit ISBN
  std::string lastCatalogueUrl_;
  int catalogueRequests_ = 0, catalogueTry_ = 0;
  std::string lastCatalogueProblem_;  // why the last request was not answered; empty when it was
  int recordsSoFar_ = 0;
  bool connectionLost_ = false;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace okuzuke::cli
