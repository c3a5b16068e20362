#include <unistd.h>

#include <string>

#include "host/process_path.h"

namespace okuzuke {

std::string HostExecutableFolder() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0) return ".";
  path.resize(static_cast<std::size_t>(n));
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string() : path.substr(0, slash);
}

}  // namespace okuzuke
