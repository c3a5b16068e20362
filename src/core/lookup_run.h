// The lookup run: every code line of the host's list looked up in turn,
// found books serialised into the output list, the list saved as the result
// file at the end, on stop and on a lost connection. With the catalogue on,
// the codes no publisher gave wait, their places in the list kept, and are
// then asked of the catalogue in batches.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/settings.h"
#include "host/host_services.h"
#include "publishers/registry.h"
#include "text/dictionaries.h"
#include "text/record.h"
#include "text/sjis_literal.h"

namespace okuzuke {

// What one run owns: the Book record, the dictionaries, the stop flag and
// the output gathered so far.
struct RunContext {
  std::string workFolder;  // ends with a path separator
  bool tenDigitInput = false;
  TBase book;
  // The dictionary files as last read; each code reads a file again only
  // when it changed since.
  Dictionary authors;
  Dictionary labels;
  Dictionary publishers;
  PageBuffers pages;  // the memory each code's page is scraped in
  bool stop = false;
  // The records in code order; an empty line is a place kept for a code that
  // waits for the catalogue, and is not saved.
  std::vector<std::string> output;
  // Whether and how often the catalogue is asked, as the run started.
  FallbackSettings fallback;
  std::optional<std::chrono::steady_clock::time_point> lastCatalogueRequest;
};

// What the run talks to.
struct RunPorts {
  HostServices& host;
  std::function<void()> pumpMessages;
  std::function<void(const std::string&)> showMessage;
  std::string settingsPath;
  // The scraper for a page layout; tests put their own in.
  std::function<ScraperFn(ScraperId)> scraperFor = [](ScraperId id) { return ScraperFor(id).scrape; };
  // The records a catalogue answer file holds for the codes asked (see
  // catalogue.h).
  std::function<catalogue::AnswerReport(const std::string&, const std::vector<std::string>&, const Dictionary&,
                                        catalogue::Candidates&)>
      catalogueAnswer = catalogue::ReadAnswerFile;
  // The clock the catalogue's pacing reads, and how the run waits for it:
  // the wait window lets its messages run meanwhile and returns early when
  // the stop flag is set.
  std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
  std::function<void(std::chrono::milliseconds)> pause = [](std::chrono::milliseconds ms) {
    std::this_thread::sleep_for(ms);
  };
};

enum class RunEnd { Completed, Stopped, ConnectionLost };

// Looks up every line and saves ctx.output to `resultPath` however the run
// ends. An exception while one code is looked up skips that code. A result
// file that cannot be saved is told to the user (kResultNotSaved). The
// catalogue settings are read from ports.settingsPath when the run starts.
RunEnd LookupLines(RunContext& ctx, RunPorts& ports, std::vector<std::string> lines,
                   const std::string& resultPath);

// The download file in the work folder, overwritten for every request.
inline constexpr const char* kDownloadFileName = "Temp.html";

// Shown with the address that failed.
inline constexpr std::string_view kNoConnection = "インターネットに接続されていません"_sjis;

// Shown with the result file's path when it cannot be written (disk full,
// folder gone, read-only): the host would import nothing without a word.
inline constexpr std::string_view kResultNotSaved = "結果ファイルを保存できませんでした。"_sjis;

}  // namespace okuzuke
