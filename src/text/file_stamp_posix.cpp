#include <sys/stat.h>

#include "text/file_stamp.h"

namespace okuzuke {

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(st.st_size),
                   static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
                       static_cast<std::uint64_t>(st.st_mtim.tv_nsec)};
}

}  // namespace okuzuke
