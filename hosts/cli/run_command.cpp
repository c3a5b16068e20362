// okuzuke run: loads the plug-in library, hands it the codes and prints the
// records it wrote as a table.
#include <dlfcn.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/commands.h"
#include "cli/display.h"
#include "cli/live_source.h"
#include "cli/result_file.h"
#include "common/page_source.h"
#include "common/replay.h"
#include "host/process_path.h"
#include "text/codepage.h"
#include "text/file_io.h"
#include "text/sjis.h"

namespace okuzuke::cli {

namespace {

constexpr const char* kUsage =
    "usage: okuzuke run [--work DIR] [--out FILE] [--replay DIR | --live] [--plugin LIB] "
    "[CODES-FILE|-]\n";

struct RunOptions {
  std::string work;
  std::string out = "okuzuke-result.txt";
  std::string replay = OKUZUKE_SAMPLE_PAGES;
  bool live = false;
  std::string plugin;
  std::string codes = "-";
};

bool ParseOptions(const Args& args, RunOptions& options) {
  bool codesSeen = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (arg == "--work") {
      if (!value(options.work)) return false;
    } else if (arg == "--out") {
      if (!value(options.out)) return false;
    } else if (arg == "--replay") {
      if (!value(options.replay)) return false;
      options.live = false;
    } else if (arg == "--live") {
      options.live = true;
    } else if (arg == "--plugin") {
      if (!value(options.plugin)) return false;
    } else if (!codesSeen && (arg == "-" || arg.empty() || arg[0] != '-')) {
      options.codes = arg;
      codesSeen = true;
    } else {
      return false;
    }
  }
  return true;
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

void PrintRecords(const std::vector<TBase>& records) {
  std::vector<std::vector<std::string>> rows = {
      {"ISBN", "TITLE", "VOL", "AUTHOR", "PUBLISHER", "DATE", "PRICE"}};
  for (const TBase& book : records) {
    rows.push_back({Cp932ToUtf8(book.Isbn), Cp932ToUtf8(book.Title), Cp932ToUtf8(book.Volume),
                    Cp932ToUtf8(book.Author1), Cp932ToUtf8(book.Publisher), Cp932ToUtf8(Date(book)),
                    Cp932ToUtf8(book.Price)});
  }
  PrintTable(rows, 32);
  std::printf("%zu record%s\n", records.size(), records.size() == 1 ? "" : "s");
}

}  // namespace

int RunCommand(const Args& args) {
  RunOptions options;
  if (!ParseOptions(args, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string codes;
  if (!ReadCodes(options.codes, codes)) {
    std::fprintf(stderr, "okuzuke: cannot read codes from %s\n", options.codes.c_str());
    return 1;
  }

  std::unique_ptr<hosts::PageSource> source;
  if (options.live) {
    source = MakeLiveSource();
    if (!source) {
      std::fprintf(stderr, "okuzuke: this build has no network support (libcurl)\n");
      return 1;
    }
  } else {
    auto pages = std::make_unique<hosts::ReplayPages>();
    std::string error;
    if (!pages->Open(options.replay, error)) {
      std::fprintf(stderr, "okuzuke: %s\n", error.c_str());
      return 1;
    }
    source = std::move(pages);
  }
  hosts::UsePageSource(source.get());

  TemporaryFolder temporary;
  std::string work = options.work.empty() ? temporary.Path() : options.work;
  if (work.empty() || !std::filesystem::is_directory(work)) {
    std::fprintf(stderr, "okuzuke: no work folder %s\n", work.c_str());
    return 1;
  }
  if (work.back() != '/') work += '/';

  Plugin plugin;
  std::string pluginPath =
      options.plugin.empty() ? HostExecutableFolder() + "/libokuzuke.so" : options.plugin;
  std::string error;
  if (!plugin.Load(pluginPath, error)) {
    std::fprintf(stderr, "okuzuke: cannot load the plug-in: %s\n", error.c_str());
    return 1;
  }
  plugin.Download(work, options.out, codes);
  hosts::UsePageSource(nullptr);

  auto records = ReadResultFile(options.out);
  if (!records) {
    std::fprintf(stderr, "okuzuke: the plug-in wrote no result file\n");
    return 1;
  }
  PrintRecords(*records);
  return 0;
}

}  // namespace okuzuke::cli
