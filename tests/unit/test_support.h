// Helpers shared by the unit tests.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <string>
#include <string_view>

namespace okuzuke::test {

// Shift-JIS bytes of a UTF-8 literal, so expectations can be written readably.
std::string Sj(std::string_view utf8);
// UTF-8 of Shift-JIS bytes, for readable failure messages.
std::string U8(std::string_view sjis);

// A fresh folder under the system's temporary folder, removed on destruction.
// Path() ends with "/".
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  // Writes `content` to Path() + name and returns the full path.
  std::string Write(const std::string& name, std::string_view content) const;

 private:
  std::string path_;
};

// Files this process writes may not grow past `bytes` while it lives: a full
// disk, as a write sees it (SIGXFSZ is ignored, so the write fails with EFBIG).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t savedHandler_;
};

// The bytes of a file under tests/fixtures.
std::string Fixture(const std::string& relativePath);

}  // namespace okuzuke::test
