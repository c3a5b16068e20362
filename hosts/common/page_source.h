// Where our hosts get pages from (saved pages, or the network), and the
// host services they export to the plug-in on top of it.
#pragma once

#include <string>
#include <string_view>

namespace okuzuke::hosts {

class PageSource {
 public:
  virtual ~PageSource() = default;
  virtual bool CanConnect(const std::string& url) = 0;
  // Stores the page at `destPath`; false when nothing was stored.
  virtual bool Download(const std::string& destPath, const std::string& url) = 0;
};

// The code list a host hands the plug-in, from a file of codes: one code a
// line, blank lines and "#" comments left out, CR LF between the codes.
std::string CodeListFromText(std::string_view text);

// The source the exported host services use until the next call.
void UsePageSource(PageSource* source);

// Every URL the exported download service was asked for, in order.
const std::string& DownloadLog();

}  // namespace okuzuke::hosts
