#include <windows.h>

#include <string>

#include "host/process_path.h"

namespace okuzuke {

std::string ExecutableFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  // The path is in the system's ANSI code page; a trail byte may be 0x5C, so
  // walk by characters to find the last real separator.
  std::size_t slash = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
      ++i;
    } else if (path[i] == '\\' || path[i] == '/') {
      slash = i;
    }
  }
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The host's folder is where the host executable is.
std::string HostExecutableFolder() { return ExecutableFolder(); }

}  // namespace okuzuke
