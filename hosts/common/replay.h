// Serving saved pages instead of the network: a folder with a manifest file
// "manifest.tsv", one `URL<TAB>FILE` a line (FILE relative to the folder,
// or absolute).
// A FILE of "-" marks a site that cannot be reached. Lines starting with "#"
// and blank lines are ignored.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "common/page_source.h"

namespace okuzuke::hosts {

class ReplayPages final : public PageSource {
 public:
  // Reads DIR/manifest.tsv; false (with `error` set) when it cannot be read.
  bool Open(const std::string& folder, std::string& error);
  bool CanConnect(const std::string& url) override;
  // Copies the saved page for `url` to `destPath`; false when there is none.
  bool Download(const std::string& destPath, const std::string& url) override;
  std::string LastFailure() const override { return lastFailure_; }

 private:
  std::string lastFailure_;
  std::string folder_;
  std::map<std::string, std::string> files_;  // url -> file, "-" unreachable
};

}  // namespace okuzuke::hosts
