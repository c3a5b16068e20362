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

// "がありません。" after the host's path, when it cannot be loaded.
inline constexpr std::string_view kHostMissingSuffix = "\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
// "関数がありません。Vantor、または、プラグインのバージョンが古い可能性があります。"
inline constexpr std::string_view kHostFunctionMissing =
    "\x8A\xD6\x90\x94\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42Vantor\x81\x41"
    "\x82\xDC\x82\xBD\x82\xCD\x81\x41\x83\x76\x83\x89\x83\x4F\x83\x43\x83\x93\x82\xCC\x83\x6F"
    "\x81\x5B\x83\x57\x83\x87\x83\x93\x82\xAA\x8C\xC3\x82\xA2\x89\xC2\x94\x5C\x90\xAB\x82\xAA"
    "\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81\x42";

}  // namespace okuzuke
