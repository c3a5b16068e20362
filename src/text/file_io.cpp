#include "text/file_io.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "text/file_read.h"
#include "text/file_replace.h"
#include "text/sjis.h"

namespace okuzuke {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFREG;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string content;
  if (!ReadWholeFileInto(path, content)) return std::nullopt;
  return content;
}

bool WriteWholeFile(const std::string& path, std::string_view content) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  if (!content.empty() && std::fwrite(content.data(), 1, content.size(), file.get()) != content.size())
    return false;
  return std::fflush(file.get()) == 0;
}

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

std::optional<std::vector<std::string>> LoadLines(const std::string& path) {
  auto content = ReadWholeFile(path);
  if (!content) return std::nullopt;
  return SplitLines(*content);
}

bool SaveLines(const std::string& path, const std::vector<std::string>& lines) {
  // Written beside the target and moved over it once complete, so a reader
  // never sees half a file, and a failed write (disk full, folder gone)
  // leaves none.
  const std::string partial = path + ".partial";
  const std::string content = JoinLines(lines);
  bool written = false;
  if (std::FILE* file = std::fopen(partial.c_str(), "wb")) {
    written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fclose(file) == 0 && written;
  }
  if (written && MoveFileOver(partial, path)) return true;
  std::remove(partial.c_str());
  return false;
}

}  // namespace okuzuke
