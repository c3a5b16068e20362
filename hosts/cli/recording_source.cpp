#include "cli/recording_source.h"

#include <cstdio>
#include <filesystem>

#include "text/file_io.h"

namespace okuzuke::cli {

RecordingSource::RecordingSource(std::unique_ptr<hosts::PageSource> inner, std::string folder)
    : inner_(std::move(inner)), folder_(std::move(folder)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

bool RecordingSource::Open(std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  if (ec || !WriteWholeFile(folder_ + "manifest.tsv", "")) {
    error = "cannot record into " + folder_;
    return false;
  }
  return true;
}

bool RecordingSource::CanConnect(const std::string& url) {
  if (inner_->CanConnect(url)) return true;
  files_.insert_or_assign(url, std::string(1, '-'));
  WriteManifest();
  return false;
}

bool RecordingSource::Download(const std::string& destPath, const std::string& url) {
  if (!inner_->Download(destPath, url)) return false;
  auto [entry, added] = files_.try_emplace(url);
  if (added || entry->second == "-") {
    char name[32];
    std::snprintf(name, sizeof name, "page-%04d.html", ++pagesSaved_);
    entry->second = name;
  }
  if (auto page = ReadWholeFile(destPath)) WriteWholeFile(folder_ + entry->second, *page);
  WriteManifest();
  return true;
}

void RecordingSource::WriteManifest() const {
  std::string manifest = "# Recorded by okuzuke run --live --record: URL<TAB>FILE (\"-\": unreachable)\n";
  for (const auto& [url, file] : files_) manifest += url + "\t" + file + "\n";
  WriteWholeFile(folder_ + "manifest.tsv", manifest);
}

}  // namespace okuzuke::cli
