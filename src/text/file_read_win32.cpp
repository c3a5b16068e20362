#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "text/file_read.h"

namespace okuzuke {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

bool ReadWholeFileInto(const std::string& path, std::string& content, std::size_t (*room)(std::size_t)) {
  content.clear();
  // Only a regular file is read; its size tells how much to make room for.
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || (st.st_mode & S_IFMT) != S_IFREG) return false;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  const auto size = static_cast<std::size_t>(st.st_size);
  content.reserve(size + (room ? room(size) : 0));
  content.resize(size);
  std::size_t got = std::fread(content.data(), 1, content.size(), file.get());
  content.resize(got);
  // A file that grew since is read to its end.
  char buffer[4096];
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
  if (std::ferror(file.get())) {
    content.clear();
    return false;
  }
  return true;
}

}  // namespace okuzuke
