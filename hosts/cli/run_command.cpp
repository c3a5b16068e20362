// okuzuke run: loads the plug-in library, hands it the codes and prints the
// records it wrote as a table.
#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/commands.h"
#include "cli/display.h"
#include "cli/install_layout.h"
#include "cli/live_source.h"
#include "cli/record_json.h"
#include "cli/recording_source.h"
#include "cli/result_file.h"
#include "cli/run_journal.h"
#include "cli/user_files.h"
#include "common/page_source.h"
#include "common/replay.h"
#include "core/settings.h"
#include "host/process_path.h"
#include "text/codepage.h"
#include "text/file_io.h"
#include "text/sjis.h"

namespace okuzuke::cli {

namespace {

std::string Usage() {
  const std::string plugin = DefaultPluginPath();
  return "usage: okuzuke run [options] [CODES-FILE|-]\n"
         "Looks up the codes (one a line; \"-\" or none: standard input) through the plug-in and\n"
         "prints the records it wrote, then each code that gave none and why.\n"
         "\n"
         "  --replay DIR     serve saved pages from DIR/manifest.tsv (default: the bundled sample,\n"
         "                   " + DefaultSamplePages() + ")\n"
         "  --live           download the pages (libcurl)\n"
         "  --record DIR     with --live: keep every page downloaded as a replay folder in DIR\n"
         "  --delay SECONDS  with --live: at least this long between the starts of two downloads\n"
         "                   from one site (default 1; 0: no pacing)\n"
         "  --timeout SECONDS  with --live: give up a download after this long (default 30)\n"
         "  --proxy URL      with --live: use this HTTP proxy (libcurl also honours http_proxy)\n"
         "  --progress       a line per code on standard error, also when it is no terminal\n"
         "                   (on a terminal one line is updated in place anyway)\n"
         "  --work DIR       the work folder: Temp.html and the dictionaries AuthDB.dat, PubDB.dat,\n"
         "                   LabelsDB.dat (default: a temporary folder)\n"
         "  --out FILE       the result file (default okuzuke-result.txt)\n"
         "  --fallback ndl   ask the national library catalogue for the codes no publisher page\n"
         "                   gives (the plug-in's setting Fallback=ndl; see the README)\n"
         "  --json           print the records and the codes without one as JSON instead (below)\n"
         "  --all            with --json: the empty fields too\n"
         "  --plugin LIB     the plug-in library (default: " +
         (plugin.empty() ? "none found at " + PluginPlaces() : plugin) + ")\n"
         "\n"
         "With --json standard output is one JSON object (UTF-8):\n"
         "  {\"records\": [{\"Isbn\": \"...\", \"Title\": \"...\", ...}, ...],\n"
         "   \"without_record\": [{\"code\": \"...\", \"reason\": \"...\"}, ...]}\n"
         "A record's keys are its field names as `okuzuke show` prints them, in that order; a\n"
         "field left empty has no key (unless --all); a line break in a field (\"$$\" in the\n"
         "result file) is \"\\n\". The codes without a record come in list order with the reason\n"
         "the table gives.\n"
         "\n"
         "Exit status 0 when the run completed (records or not), 1 when it could not (no plug-in,\n"
         "unreadable codes, a site that could not be reached, a result file that could not be\n"
         "saved), 2 for bad options.\n";
}

struct RunOptions {
  std::string work;
  std::string out = "okuzuke-result.txt";
  std::string replay = DefaultSamplePages();
  bool live = false;
  std::string record;
  LiveOptions network;
  bool progressLines = false;
  bool json = false;
  bool allFields = false;
  bool catalogue = false;
  std::string plugin;
  std::string codes = "-";
};

bool ParseSeconds(const std::string& text, double& seconds) {
  char* end = nullptr;
  seconds = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && seconds >= 0;
}

bool ParseOptions(const Args& args, RunOptions& options) {
  bool codesSeen = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--work") {
      if (!value(options.work)) return false;
    } else if (arg == "--out") {
      if (!value(options.out)) return false;
    } else if (arg == "--replay") {
      if (!value(options.replay)) return false;
      options.live = false;
    } else if (arg == "--live") {
      options.live = true;
    } else if (arg == "--record") {
      if (!value(options.record)) return false;
    } else if (arg == "--delay") {
      if (!value(text) || !ParseSeconds(text, options.network.delaySeconds)) return false;
    } else if (arg == "--timeout") {
      if (!value(text) || !ParseSeconds(text, options.network.timeoutSeconds)) return false;
    } else if (arg == "--proxy") {
      if (!value(options.network.proxy)) return false;
    } else if (arg == "--progress") {
      options.progressLines = true;
    } else if (arg == "--fallback") {
      if (!value(text)) return false;
      for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (text != "ndl") return false;
      options.catalogue = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--all") {
      options.allFields = true;
    } else if (arg == "--plugin") {
      if (!value(options.plugin)) return false;
    } else if (!codesSeen && (arg == "-" || arg.empty() || arg[0] != '-')) {
      options.codes = arg;
      codesSeen = true;
    } else {
      return false;
    }
  }
  return (options.record.empty() || options.live) && (!options.allFields || options.json);
}

// A folder removed again when the run is over.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "okuzuke-work-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The plug-in library and its two entry points.
class Plugin {
 public:
  using GetInfoFn = void (*)(char*, char*, char*, char*, char*, std::uint16_t);
  using DownloadFn = void (*)(const char*, const char*, const char*);

  bool Load(const std::string& path, std::string& error) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
      error = dlerror();
      return false;
    }
    getInfo_ = reinterpret_cast<GetInfoFn>(dlsym(handle_, "funcGetInfo"));
    download_ = reinterpret_cast<DownloadFn>(dlsym(handle_, "DownlaodFunc"));
    if (!getInfo_ || !download_) {
      error = path + " does not export funcGetInfo and DownlaodFunc";
      return false;
    }
    return true;
  }
  ~Plugin() {
    if (handle_) dlclose(handle_);
  }
  void Download(const std::string& work, const std::string& result, const std::string& codes) {
    download_(work.c_str(), result.c_str(), codes.c_str());
  }

 private:
  void* handle_ = nullptr;
  GetInfoFn getInfo_ = nullptr;
  DownloadFn download_ = nullptr;
};

// The folder the plug-in reads "Setting.ini" from during one run, holding
// the settings beside this program with the run's own in front of them.
class RunSettings {
 public:
  // Turns the catalogue on, its requests `intervalMs` apart: a live run's
  // delay, so that a request the catalogue does not answer is tried again
  // after 5 and 30 times that, as in the host; none when pages are replayed.
  bool Open(std::string& error, long intervalMs) {
    if (folder_.Path().empty()) {
      error = "cannot make a temporary folder for the run's settings";
      return false;
    }
    std::string ini = "[Entry]\r\nFallback=ndl\r\nFallbackInterval=" + std::to_string(intervalMs) + "\r\n";
    // Decoded first: the user's file may be UTF-8 or UTF-16, with a mark
    // that must not end up inside this one.
    ini += SettingsText(ExecutableFolder() + "/Setting.ini");
    if (!WriteWholeFile(folder_.Path() + "/Setting.ini", ini)) {
      error = "cannot write the run's settings to " + folder_.Path();
      return false;
    }
    return true;
  }
  // The plug-in takes the named folder as the host's while this lives.
  void Apply() { setenv(kHostFolderVariable, folder_.Path().c_str(), 1); }
  ~RunSettings() { unsetenv(kHostFolderVariable); }

 private:
  TemporaryFolder folder_;
};

// A result file left from an earlier run must not pass for this one's when
// the plug-in cannot save its own, so it goes before the run starts.
bool RemoveOldResult(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(path, ec);
  if (!std::filesystem::exists(status)) return true;
  if (std::filesystem::is_directory(status)) {
    std::fprintf(stderr, "okuzuke: the result file %s is a folder\n", path.c_str());
    return false;
  }
  if (std::filesystem::remove(path, ec)) return true;
  std::fprintf(stderr, "okuzuke: cannot replace the result file %s: %s\n", path.c_str(),
               ec.message().c_str());
  return false;
}

bool ReadCodes(const std::string& source, std::string& codes) {
  std::string text;
  if (source == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    auto file = ReadWholeFile(source);
    if (!file) return false;
    text = *file;
  }
  codes = hosts::CodeListFromText(text);
  return true;
}

std::string Date(const TBase& book) {
  std::string date = book.ReleaseYear;
  if (!book.ReleaseMonth.empty()) date += "-" + book.ReleaseMonth;
  if (!book.ReleaseDay.empty()) date += "-" + book.ReleaseDay;
  return date;
}

// With the catalogue on, a last column tells where each record came from.
void PrintRecords(const std::vector<TBase>& records, const std::vector<bool>* fromCatalogue) {
  std::vector<std::vector<std::string>> rows = {
      {"ISBN", "TITLE", "VOL", "AUTHOR", "PUBLISHER", "DATE", "PRICE"}};
  if (fromCatalogue) rows[0].push_back("FROM");
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TBase& book = records[i];
    rows.push_back({Cp932ToUtf8(book.Isbn), Cp932ToUtf8(book.Title), Cp932ToUtf8(book.Volume),
                    Cp932ToUtf8(book.Author1), Cp932ToUtf8(book.Publisher), Cp932ToUtf8(Date(book)),
                    Cp932ToUtf8(book.Price)});
    if (fromCatalogue) rows.back().push_back((*fromCatalogue)[i] ? "catalogue" : "publisher");
  }
  PrintTable(rows, 32);
  std::printf("%zu record%s\n", records.size(), records.size() == 1 ? "" : "s");
}

}  // namespace

int RunCommand(const Args& args) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(Usage().c_str(), stdout);
    return 0;
  }
  RunOptions options;
  if (!ParseOptions(args, options)) {
    std::fputs(Usage().c_str(), stderr);
    return 2;
  }
  std::string codes;
  if (!ReadCodes(options.codes, codes)) {
    std::fprintf(stderr, "okuzuke: cannot read codes from %s\n", options.codes.c_str());
    return 1;
  }

  std::unique_ptr<hosts::PageSource> source;
  std::string error;
  if (options.live) {
    source = MakeLiveSource(options.network);
    if (!source) {
      std::fprintf(stderr, "okuzuke: this build has no network support (libcurl)\n");
      return 1;
    }
    if (!options.record.empty()) {
      auto recording = std::make_unique<RecordingSource>(std::move(source), options.record);
      if (!recording->Open(error)) {
        std::fprintf(stderr, "okuzuke: %s\n", error.c_str());
        return 1;
      }
      source = std::move(recording);
    }
  } else {
    auto pages = std::make_unique<hosts::ReplayPages>();
    if (!pages->Open(options.replay, error)) {
      std::fprintf(stderr, "okuzuke: %s\n", error.c_str());
      return 1;
    }
    source = std::move(pages);
  }

  TemporaryFolder temporary;
  std::string work = options.work.empty() ? temporary.Path() : options.work;
  if (work.empty() || !std::filesystem::is_directory(work)) {
    std::fprintf(stderr, "okuzuke: no work folder %s\n", work.c_str());
    return 1;
  }
  if (work.back() != '/') work += '/';

  Plugin plugin;
  const std::string pluginPath = options.plugin.empty() ? DefaultPluginPath() : options.plugin;
  if (pluginPath.empty()) {
    std::fprintf(stderr, "okuzuke: cannot load the plug-in: none at %s\n", PluginPlaces().c_str());
    return 1;
  }
  if (!plugin.Load(pluginPath, error)) {
    std::fprintf(stderr, "okuzuke: cannot load the plug-in: %s\n", error.c_str());
    return 1;
  }

  if (!RemoveOldResult(options.out)) return 1;

  for (const char* file : {"AuthDB.dat", "PubDB.dat", "LabelsDB.dat"}) ReportUnusedLines(work + file);
  ReportUnusedLines((options.catalogue ? ExecutableFolder() : HostExecutableFolder()) + "/Setting.ini");

  RunSettings settings;
  const long catalogueIntervalMs = options.live ? std::lround(options.network.delaySeconds * 1000) : 0;
  if (options.catalogue && !settings.Open(error, catalogueIntervalMs)) {
    std::fprintf(stderr, "okuzuke: %s\n", error.c_str());
    return 1;
  }

  const std::vector<std::string> codeLines = SplitLines(codes);
  JournalOptions journalOptions;
  journalOptions.codeCount = codeLines.size();
  journalOptions.tenDigitInput = !codes.empty() && codes[0] != '9';
  journalOptions.workFolder = work;
  journalOptions.catalogue = options.catalogue;
  journalOptions.progress = isatty(fileno(stderr)) ? JournalOptions::Progress::InPlace
                            : options.progressLines ? JournalOptions::Progress::Lines
                                                    : JournalOptions::Progress::None;
  RunJournal journal(journalOptions);
  hosts::UsePageSource(source.get());
  hosts::ObserveRun(&journal);
  if (options.catalogue) settings.Apply();
  plugin.Download(work, options.out, codes);
  hosts::ObserveRun(nullptr);
  hosts::UsePageSource(nullptr);
  journal.Finish();

  auto records = ReadResultFile(options.out, error);
  if (!records) {
    if (!FileExists(options.out)) error = "the plug-in wrote no result file " + options.out;
    std::fprintf(stderr, "okuzuke: %s\n", error.c_str());
    return 1;
  }
  const std::vector<CodeWithoutRecord> missing = journal.CodesWithoutRecord(codeLines, *records);
  if (options.json) {
    if (!PrintWhole(RunJson(*records, missing, options.allFields))) return 1;
  } else {
    const std::vector<bool> fromCatalogue = journal.FromCatalogue(codeLines, *records);
    PrintRecords(*records, options.catalogue ? &fromCatalogue : nullptr);
    if (!missing.empty()) {
      std::printf("\n%zu code%s gave no record:\n", missing.size(), missing.size() == 1 ? "" : "s");
      for (const CodeWithoutRecord& code : missing)
        std::printf("  %s  %s\n", Cp932ToUtf8(code.code).c_str(), Cp932ToUtf8(code.reason).c_str());
    }
  }
  return journal.ConnectionLost() ? 1 : 0;
}

}  // namespace okuzuke::cli
