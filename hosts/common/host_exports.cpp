// The 16 services a host exports for the plug-in. Three do real work; the
// others exist because the plug-in requires every one of them by name.
#include <cstdint>
#include <string>

#include "common/isbn_normalizer.h"
#include "common/page_source.h"
#include "host/host_services.h"
#include "text/sjis.h"

#if defined(_WIN32)
#define HOST_EXPORT
#else
#define HOST_EXPORT __attribute__((visibility("default")))
#endif

namespace okuzuke::hosts {
namespace {
PageSource* g_source = nullptr;
RunObserver* g_observer = nullptr;
std::string g_isbnResult;  // ISBNChkFunc's text stays valid until the next call
std::string g_downloadLog;
}  // namespace

std::string CodeListFromText(std::string_view text) {
  std::string codes;
  for (const std::string& line : SplitLines(text)) {
    std::string_view code = TrimView(line);
    if (code.empty() || code[0] == '#') continue;
    if (!codes.empty()) codes += "\r\n";
    codes += code;
  }
  return codes;
}

void UsePageSource(PageSource* source) { g_source = source; }
void ObserveRun(RunObserver* observer) { g_observer = observer; }
const std::string& DownloadLog() { return g_downloadLog; }

}  // namespace okuzuke::hosts

using okuzuke::hosts::g_downloadLog;
using okuzuke::hosts::g_isbnResult;
using okuzuke::hosts::g_observer;
using okuzuke::hosts::g_source;

extern "C" {

HOST_EXPORT const char* OKZ_HOST_CALL ISBNChkFunc(const char* code) {
  g_isbnResult = okuzuke::hosts::NormalizeIsbnCode(code ? code : "");
  if (g_observer) g_observer->CodeChecked(code ? code : "", g_isbnResult);
  return g_isbnResult.c_str();
}

HOST_EXPORT std::int32_t OKZ_HOST_CALL InternetConnectFunc(const char* url) {
  const bool reachable = g_source && url && g_source->CanConnect(url);
  if (g_observer && url) g_observer->Connected(url, reachable, reachable ? "" : g_source->LastFailure());
  return reachable ? 1 : 0;
}

HOST_EXPORT std::int32_t OKZ_HOST_CALL HTTPDownloadFunc(const char* destPath, const char* url) {
  if (!g_source || !destPath || !url) return 0;
  g_downloadLog += std::string(url) + "\n";
  if (g_observer) g_observer->DownloadStarting(url);
  const bool stored = g_source->Download(destPath, url);
  if (g_observer) g_observer->Downloaded(url, stored, stored ? "" : g_source->LastFailure());
  return stored ? 1 : 0;
}

// Required by name only; the plug-in never calls them.
#define OKZ_UNUSED_SERVICE(name) \
  HOST_EXPORT std::int32_t OKZ_HOST_CALL name() { return 0; }
OKZ_UNUSED_SERVICE(HTTPBinaryDownloadFunc)
OKZ_UNUSED_SERVICE(HTTPFlagDownloadFunc)
OKZ_UNUSED_SERVICE(RefreshFunc)
OKZ_UNUSED_SERVICE(ExportFunc)
OKZ_UNUSED_SERVICE(InportFunc)
OKZ_UNUSED_SERVICE(JANChkFunc)
OKZ_UNUSED_SERVICE(ASINChkFunc)
OKZ_UNUSED_SERVICE(PluginListFunc)
OKZ_UNUSED_SERVICE(AcquireCDShow)
OKZ_UNUSED_SERVICE(WaitWindowView)
OKZ_UNUSED_SERVICE(WaitBarView)
OKZ_UNUSED_SERVICE(WaitWindowClose)
#if !defined(VANTOR_INCOMPLETE)
OKZ_UNUSED_SERVICE(SelectExportFunc)
#endif
#undef OKZ_UNUSED_SERVICE
}
