// The plug-in's two C entry points. No exception ever leaves them.
#include "core/exports.h"

#include <cstring>

#include "core/download_run.h"
#include "core/plugin_info.h"

namespace {

// At most size-1 characters and a terminating 0; nothing for a size of 0 or
// a missing buffer.
void CopyBounded(char* buffer, const char* text, std::uint16_t size) {
  if (!buffer || size == 0) return;
  std::size_t n = std::strlen(text);
  if (n > static_cast<std::size_t>(size) - 1) n = static_cast<std::size_t>(size) - 1;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

}  // namespace

extern "C" {

void OKZ_STDCALL funcGetInfo(char* name, char* title, char* credit, char* version, char* kind,
                             std::uint16_t size) {
  namespace info = okuzuke::plugin_info;
  CopyBounded(name, info::kName, size);
  CopyBounded(title, info::kTitle, size);
  CopyBounded(credit, info::kCredit, size);
  CopyBounded(version, info::kVersion, size);
  CopyBounded(kind, info::kKind, size);
}

void OKZ_STDCALL DownlaodFunc(const char* workFolder, const char* resultPath, const char* isbnList) {
  try {
    okuzuke::DownloadRun(workFolder, resultPath, isbnList);
  } catch (...) {
    // The host must never see an exception; the run has saved what it could.
  }
}
}
