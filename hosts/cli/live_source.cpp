#include "cli/live_source.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#if defined(OKUZUKE_HAVE_CURL)
#include <curl/curl.h>
#endif

#include "text/file_io.h"

namespace okuzuke::cli {

#if defined(OKUZUKE_HAVE_CURL)

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUserAgent = "okuzuke/" OKUZUKE_VERSION " (book lookup)";
constexpr double kLongestRetryWait = 30;

// The scheme and host of an address ("http://www.example.jp").
std::string SiteOf(const std::string& url) {
  std::size_t scheme = url.find("://");
  std::size_t end = url.find_first_of("/?#", scheme == std::string::npos ? 0 : scheme + 3);
  return url.substr(0, end);
}

void SleepSeconds(double seconds) {
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

class Easy {
 public:
  Easy() : curl_(curl_easy_init()) {}
  ~Easy() {
    if (curl_) curl_easy_cleanup(curl_);
  }
  Easy(const Easy&) = delete;
  Easy& operator=(const Easy&) = delete;
  CURL* get() const { return curl_; }

 private:
  CURL* curl_;
};

class LiveSource final : public hosts::PageSource {
 public:
  explicit LiveSource(LiveOptions options) : options_(std::move(options)) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
  }
  ~LiveSource() override { curl_global_cleanup(); }

  bool CanConnect(const std::string& url) override {
    Easy easy;
    if (!easy.get()) return Fail("libcurl cannot start");
    Common(easy.get(), url);
    curl_easy_setopt(easy.get(), CURLOPT_CONNECT_ONLY, 1L);
    CURLcode rc = curl_easy_perform(easy.get());
    return rc == CURLE_OK ? Succeed() : Fail(curl_easy_strerror(rc));
  }

  bool Download(const std::string& destPath, const std::string& url) override {
    std::string body;
    long status = Fetch(url, body);
    if (status == 429 || status == 503) {
      SleepSeconds(retryAfter_);
      status = Fetch(url, body);
    }
    if (status < 0) return false;  // the failure is set
    if (status >= 400) return Fail("HTTP " + std::to_string(status));
    if (!WriteWholeFile(destPath, body)) return Fail("cannot write " + destPath);
    return Succeed();
  }

  std::string LastFailure() const override { return failure_; }

 private:
  void Common(CURL* curl, const std::string& url) const {
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(1000 * std::min(options_.timeoutSeconds, 10.0)));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    if (!options_.proxy.empty()) curl_easy_setopt(curl, CURLOPT_PROXY, options_.proxy.c_str());
  }

  // Waits until the site host may be asked again, then marks the start.
  void Pace(const std::string& url) {
    if (options_.delaySeconds <= 0) return;
    const std::string site = SiteOf(url);
    auto last = lastStart_.find(site);
    if (last != lastStart_.end()) {
      auto next = last->second + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(options_.delaySeconds));
      std::this_thread::sleep_until(next);
    }
    lastStart_[site] = Clock::now();
  }

  // The HTTP status of one GET with the body in `body`, or -1 (failure set).
  long Fetch(const std::string& url, std::string& body) {
    Pace(url);
    body.clear();
    retryAfter_ = std::max(options_.delaySeconds, 1.0);
    Easy easy;
    if (!easy.get()) {
      Fail("libcurl cannot start");
      return -1;
    }
    CURL* curl = easy.get();
    Common(curl, url);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(1000 * options_.timeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &ReadHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &retryAfter_);
    CURLcode rc = curl_easy_perform(curl);
    if (rc == CURLE_OPERATION_TIMEDOUT) {
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%g", options_.timeoutSeconds);
      Fail(std::string("no answer within ") + seconds + " s");
      return -1;
    }
    if (rc != CURLE_OK) {
      Fail(curl_easy_strerror(rc));
      return -1;
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    return status;
  }

  static size_t AppendBody(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
  }

  // Keeps a "Retry-After: SECONDS" of the answer (at most 30 s).
  static size_t ReadHeader(char* data, size_t size, size_t count, void* user) {
    std::string line(data, size * count);
    constexpr std::string_view kName = "retry-after:";
    if (line.size() > kName.size()) {
      std::string name = line.substr(0, kName.size());
      std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
      if (name == kName) {
        char* end = nullptr;
        double seconds = std::strtod(line.c_str() + kName.size(), &end);
        if (end != line.c_str() + kName.size() && seconds >= 0)
          *static_cast<double*>(user) = std::min(seconds, kLongestRetryWait);
      }
    }
    return size * count;
  }

  bool Fail(std::string failure) {
    failure_ = std::move(failure);
    return false;
  }
  bool Succeed() {
    failure_.clear();
    return true;
  }

  LiveOptions options_;
  std::map<std::string, Clock::time_point> lastStart_;
  double retryAfter_ = 1;
  std::string failure_;
};

}  // namespace

std::unique_ptr<hosts::PageSource> MakeLiveSource(const LiveOptions& options) {
  return std::make_unique<LiveSource>(options);
}

#else

std::unique_ptr<hosts::PageSource> MakeLiveSource(const LiveOptions&) { return nullptr; }

#endif

}  // namespace okuzuke::cli
