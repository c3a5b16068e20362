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
  // Why the last CanConnect or Download failed ("HTTP 404", "connection
  // refused", ...), for the user; empty when it did not.
  virtual std::string LastFailure() const { return {}; }
};

// What a host sees of a run through its services, in the order the
// plug-in calls them.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // ISBNChkFunc: a new code starts; `isbn` is the check's answer.
  virtual void CodeChecked(const std::string& code, const std::string& isbn) = 0;
  // InternetConnectFunc.
  virtual void Connected(const std::string& url, bool reachable, const std::string& failure) = 0;
  // HTTPDownloadFunc: about to download, then done.
  virtual void DownloadStarting(const std::string& url) = 0;
  virtual void Downloaded(const std::string& url, bool stored, const std::string& failure) = 0;
};

// The code list a host hands the plug-in, from a file of codes: one code a
// line, blank lines and "#" comments left out, CR LF between the codes.
std::string CodeListFromText(std::string_view text);

// The source the exported host services use until the next call.
void UsePageSource(PageSource* source);

// Told of every service call from now on (nullptr: nobody).
void ObserveRun(RunObserver* observer);

// Every URL the exported download service was asked for, in order.
const std::string& DownloadLog();

}  // namespace okuzuke::hosts
