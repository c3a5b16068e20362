// vantor.exe: our stand-in Windows host for the tests under Wine. It exports
// the host services (replay mode only) and drives okuzuke.dll the way the
// real host does.
//
//   vantor.exe info [SIZE]
//   vantor.exe run --replay DIR --work DIR --out FILE [--stop-after N] CODES-FILE
//   vantor.exe run-empty --work DIR --out FILE
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/page_source.h"
#include "common/replay.h"
#include "host/process_path.h"
#include "text/file_io.h"
#include "text/sjis.h"

namespace {

using GetInfoFn = void(__stdcall*)(char*, char*, char*, char*, char*, std::uint16_t);
using DownloadFn = void(__stdcall*)(const char*, const char*, const char*);

struct Plugin {
  HMODULE module = nullptr;
  GetInfoFn getInfo = nullptr;
  DownloadFn download = nullptr;

  bool Load() {
    std::string path = okuzuke::HostExecutableFolder() + "\\okuzuke.dll";
    module = LoadLibraryA(path.c_str());
    if (!module) {
      std::fprintf(stderr, "vantor: cannot load %s\n", path.c_str());
      return false;
    }
    getInfo = reinterpret_cast<GetInfoFn>(reinterpret_cast<void*>(GetProcAddress(module, "funcGetInfo")));
    download = reinterpret_cast<DownloadFn>(reinterpret_cast<void*>(GetProcAddress(module, "DownlaodFunc")));
    return getInfo && download;
  }
  ~Plugin() {
    if (module) FreeLibrary(module);
  }
};

// Replayed pages; after `stopAfter` downloads it presses the wait window's
// stop button, as a user would while the run goes on.
class StoppingReplay final : public okuzuke::hosts::PageSource {
 public:
  StoppingReplay(okuzuke::hosts::ReplayPages pages, int stopAfter)
      : pages_(std::move(pages)), stopAfter_(stopAfter) {}
  bool CanConnect(const std::string& url) override { return pages_.CanConnect(url); }
  bool Download(const std::string& destPath, const std::string& url) override {
    bool stored = pages_.Download(destPath, url);
    if (++downloads_ == stopAfter_) PressStop();
    return stored;
  }

 private:
  static void PressStop() {
    HWND form = FindWindowW(L"TfrmWait", nullptr);
    if (!form) {
      std::fprintf(stderr, "vantor: no wait window to stop\n");
      return;
    }
    HWND button = GetDlgItem(form, 1001);
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }

  okuzuke::hosts::ReplayPages pages_;
  int stopAfter_;
  int downloads_ = 0;
};

std::string Hex(const char* text) {
  std::string out;
  char buffer[4];
  for (const char* p = text; *p; ++p) {
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned char>(*p));
    out += buffer;
  }
  return out;
}

int Info(const std::vector<std::string>& args) {
  int size = args.empty() ? 256 : std::stoi(args[0]);
  Plugin plugin;
  if (!plugin.Load()) return 1;
  // Guard bytes around each buffer show any write beyond `size`.
  std::vector<std::string> buffers(5, std::string(static_cast<std::size_t>(size) + 8, '#'));
  plugin.getInfo(buffers[0].data(), buffers[1].data(), buffers[2].data(), buffers[3].data(),
                 buffers[4].data(), static_cast<std::uint16_t>(size));
  const char* names[] = {"name", "title", "credit", "version", "kind"};
  for (int i = 0; i < 5; ++i) {
    const std::string& b = buffers[i];
    bool terminated = size > 0 && b.find('\0') < static_cast<std::size_t>(size);
    bool guardIntact = b.find_first_not_of('#', size > 0 ? b.find('\0') + 1 : 0) == std::string::npos;
    std::printf("%s\t%s\t%s\t%s\n", names[i], terminated ? b.c_str() : "(untouched)",
                terminated ? Hex(b.c_str()).c_str() : "-", guardIntact ? "guard-ok" : "guard-broken");
  }
  return 0;
}

int Run(const std::vector<std::string>& args, bool emptyList) {
  std::string replay, work, out, codesFile;
  int stopAfter = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    auto next = [&]() { return i + 1 < args.size() ? args[++i] : std::string(); };
    if (args[i] == "--replay") replay = next();
    else if (args[i] == "--work") work = next();
    else if (args[i] == "--out") out = next();
    else if (args[i] == "--stop-after") stopAfter = std::stoi(next());
    else codesFile = args[i];
  }
  std::string codes;
  if (!emptyList) {
    auto text = okuzuke::ReadWholeFile(codesFile);
    if (!text) {
      std::fprintf(stderr, "vantor: cannot read %s\n", codesFile.c_str());
      return 2;
    }
    codes = okuzuke::hosts::CodeListFromText(*text);
  }
  std::unique_ptr<StoppingReplay> source;
  if (!replay.empty()) {
    okuzuke::hosts::ReplayPages pages;
    std::string error;
    if (!pages.Open(replay, error)) {
      std::fprintf(stderr, "vantor: %s\n", error.c_str());
      return 2;
    }
    source = std::make_unique<StoppingReplay>(std::move(pages), stopAfter);
  }
  okuzuke::hosts::UsePageSource(source.get());
  Plugin plugin;
  if (!plugin.Load()) return 1;
  if (!work.empty() && work.back() != '\\') work += '\\';
  plugin.download(work.c_str(), out.c_str(), codes.c_str());
  std::printf("downloads:\n%s", okuzuke::hosts::DownloadLog().c_str());
  std::printf("result-file\t%s\n", okuzuke::FileExists(out) ? "present" : "absent");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fprintf(stderr, "usage: vantor.exe info [SIZE] | run ... | run-empty ...\n");
    return 2;
  }
  std::string command = args[0];
  args.erase(args.begin());
  if (command == "info") return Info(args);
  if (command == "run") return Run(args, false);
  if (command == "run-empty") return Run(args, true);
  std::fprintf(stderr, "vantor: unknown command %s\n", command.c_str());
  return 2;
}
