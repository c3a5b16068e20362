// The host's exported services the plug-in uses instead of network code of
// its own: the ISBN check, the connection check and the HTTP download.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/host_library.h"
#include "text/sjis_literal.h"

namespace okuzuke {

#if defined(_WIN32)
#define OKZ_HOST_CALL __stdcall
#else
#define OKZ_HOST_CALL
#endif

// Signatures of the three services the plug-in calls; texts are
// zero-terminated Shift-JIS. The others are only required to exist.
using IsbnCheckFn = const char*(OKZ_HOST_CALL*)(const char* code);
using InternetConnectFn = std::int32_t(OKZ_HOST_CALL*)(const char* url);
using HttpDownloadFn = std::int32_t(OKZ_HOST_CALL*)(const char* destPath, const char* url);

// Every host service, in the order they are resolved; all must be present.
inline constexpr std::array<const char*, 16> kHostFunctionNames = {
    "InternetConnectFunc", "HTTPDownloadFunc", "HTTPBinaryDownloadFunc", "HTTPFlagDownloadFunc",
    "RefreshFunc",         "ExportFunc",       "InportFunc",             "ISBNChkFunc",
    "JANChkFunc",          "ASINChkFunc",      "PluginListFunc",         "AcquireCDShow",
    "WaitWindowView",      "WaitBarView",      "WaitWindowClose",        "SelectExportFunc",
};

// What the lookup run needs from a host. The bound host implements it with
// the resolved functions; tests implement it with fakes.
class HostServices {
 public:
  virtual ~HostServices() = default;
  // The 13-digit ISBN for a code line (26 characters with an add-on code),
  // or empty when it is no valid ISBN. The text is copied at once.
  virtual std::string CheckIsbn(const std::string& code) = 0;
  // True when the site of `url` can be reached.
  virtual bool CanConnect(const std::string& url) = 0;
  // Stores the page at `destPath`; whether it did is seen from the file.
  virtual void Download(const std::string& destPath, const std::string& url) = 0;
};

// Loads the host program at `hostPath` and resolves all 16 services by name.
// Failures are reported through `showError` with the host's exact texts;
// the result is then nullptr. The library is released when the returned
// object is destroyed.
std::unique_ptr<HostServices> BindHostServices(
    const std::string& hostPath, const std::function<void(const std::string&)>& showError);

// After the host's path, when it cannot be loaded.
inline constexpr std::string_view kHostMissingSuffix = "がありません。"_sjis;
// When one of the host's functions is missing.
inline constexpr std::string_view kHostFunctionMissing =
    "関数がありません。Vantor、または、プラグインのバージョンが古い可能性があります。"_sjis;

}  // namespace okuzuke
