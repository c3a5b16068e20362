#include "common/replay.h"

#include "text/file_io.h"
#include "text/sjis.h"

namespace okuzuke::hosts {

bool ReplayPages::Open(const std::string& folder, std::string& error) {
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '/' && folder_.back() != '\\') folder_ += '/';
  auto lines = LoadLines(folder_ + "manifest.tsv");
  if (!lines) {
    error = "cannot read " + folder_ + "manifest.tsv";
    return false;
  }
  for (const std::string& line : *lines) {
    if (TrimView(line).empty() || line[0] == '#') continue;
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      error = "manifest line without a TAB: " + line;
      return false;
    }
    files_[std::string(TrimView(std::string_view(line).substr(0, tab)))] =
        std::string(TrimView(std::string_view(line).substr(tab + 1)));
  }
  return true;
}

bool ReplayPages::CanConnect(const std::string& url) {
  auto it = files_.find(url);
  bool reachable = it == files_.end() || it->second != "-";
  lastFailure_ = reachable ? "" : "the site is marked unreachable in the replay folder";
  return reachable;
}

bool ReplayPages::Download(const std::string& destPath, const std::string& url) {
  auto it = files_.find(url);
  lastFailure_ = "no saved page";
  if (it == files_.end() || it->second == "-") return false;
  const std::string& file = it->second;
  bool absolute = (!file.empty() && (file[0] == '/' || file[0] == '\\')) ||
                  (file.size() > 1 && file[1] == ':');
  auto page = ReadWholeFile(absolute ? file : folder_ + file);
  if (!page) {
    lastFailure_ = "cannot read the saved page " + file;
    return false;
  }
  lastFailure_.clear();
  return WriteWholeFile(destPath, *page);
}

}  // namespace okuzuke::hosts
