// Keeping every page a live run downloads, as a replay folder: the bytes as
// served, one file per address, and "manifest.tsv" (URL<TAB>FILE, "-" for a
// site that could not be reached). `okuzuke run --replay` over that folder
// then sees exactly what the live run saw.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "common/page_source.h"

namespace okuzuke::cli {

class RecordingSource final : public hosts::PageSource {
 public:
  RecordingSource(std::unique_ptr<hosts::PageSource> inner, std::string folder);
  // False (with `error`) when the folder cannot be made or written.
  bool Open(std::string& error);

  bool CanConnect(const std::string& url) override;
  bool Download(const std::string& destPath, const std::string& url) override;
  std::string LastFailure() const override { return inner_->LastFailure(); }

 private:
  // Rewrites the manifest, so that it is whole after every page.
  void WriteManifest() const;

  std::unique_ptr<hosts::PageSource> inner_;
  std::string folder_;
  std::map<std::string, std::string> files_;  // url -> file name, "-" unreachable
  int pagesSaved_ = 0;
};

}  // namespace okuzuke::cli
