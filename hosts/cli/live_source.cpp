#include "cli/live_source.h"

#include <cstdio>
#include <string>

#if defined(OKUZUKE_HAVE_CURL)
#include <curl/curl.h>
#endif

#include "text/file_io.h"

namespace okuzuke::cli {

#if defined(OKUZUKE_HAVE_CURL)

namespace {

class LiveSource final : public hosts::PageSource {
 public:
  LiveSource() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~LiveSource() override { curl_global_cleanup(); }

  bool CanConnect(const std::string& url) override {
    CURL* curl = curl_easy_init();
    if (!curl) return false;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
    CURLcode rc = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return rc == CURLE_OK;
  }

  bool Download(const std::string& destPath, const std::string& url) override {
    CURL* curl = curl_easy_init();
    if (!curl) return false;
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "okuzuke/1.2.3 (book lookup)");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (rc != CURLE_OK || status >= 400) return false;
    return WriteWholeFile(destPath, body);
  }

 private:
  static size_t Append(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
  }
};

}  // namespace

std::unique_ptr<hosts::PageSource> MakeLiveSource() { return std::make_unique<LiveSource>(); }

#else

std::unique_ptr<hosts::PageSource> MakeLiveSource() { return nullptr; }

#endif

}  // namespace okuzuke::cli
