#include <windows.h>

#include "text/file_stamp.h"

namespace okuzuke {

// The ANSI form: paths are code page 932 text like every other path here.
std::optional<FileStamp> StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                   static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                       data.ftLastWriteTime.dwLowDateTime};
}

}  // namespace okuzuke
