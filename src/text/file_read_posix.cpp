#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "text/file_read.h"

namespace okuzuke {

namespace {
struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};
}  // namespace

bool ReadWholeFileInto(const std::string& path, std::string& content, std::size_t (*room)(std::size_t)) {
  // The bytes `content` holds are kept until the file is read over them:
  // growing within them costs no clearing of the memory first.
  struct ClearedUnlessRead {
    std::string& content;
    bool read = false;
    ~ClearedUnlessRead() {
      if (!read) content.clear();
    }
  } result{content};
  if (path.empty()) return false;
  // Opened without blocking, so that a FIFO is only looked at; the size
  // comes from the open file: open, fstat, one read and close for a page.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const FdCloser closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto size = static_cast<std::size_t>(st.st_size);
  const std::size_t capacity = size + 1 + (room ? room(size) : 0);
  if (content.capacity() < capacity) {
    content.clear();  // nothing to copy to the new memory
    content.reserve(capacity);
  }
  // One byte more than the size, so that a file that grew since fstat shows
  // as a full read; a read that gives just the size has the whole file.
  content.resize(size + 1);
  std::size_t got = 0;
  for (;;) {
    const ssize_t n = ::read(fd, content.data() + got, content.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    got += static_cast<std::size_t>(n);
    if (n == 0 || (got < content.size() && got >= size)) break;
    if (got == content.size()) content.resize(content.size() + std::max<std::size_t>(content.size() / 2, 4096));
  }
  content.resize(got);
  result.read = true;
  return true;
}

}  // namespace okuzuke
