#include <unistd.h>

#include <cstdlib>
#include <string>

#include "host/process_path.h"

namespace okuzuke {

std::string ExecutableFolder() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0) return ".";
  path.resize(static_cast<std::size_t>(n));
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string() : path.substr(0, slash);
}

std::string HostExecutableFolder() {
  // A Linux host may name the folder that stands for "beside the host
  // executable" (okuzuke run does, to hand the plug-in settings of a run).
  if (const char* named = std::getenv(kHostFolderVariable); named && *named) {
    std::string folder(named);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
  }
  return ExecutableFolder();
}

}  // namespace okuzuke
