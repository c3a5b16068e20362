// What tells whether a file changed: its size and the time it was last
// written, as finely as the file system keeps it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace okuzuke {

struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // in the platform's own units
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file; nullopt when there is none at `path`.
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace okuzuke
