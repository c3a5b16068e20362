#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "text/codepage.h"
#include "text/file_io.h"

namespace okuzuke::test {

std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8); }
std::string U8(std::string_view sjis) { return Cp932ToUtf8(sjis); }

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "okuzuke-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, std::string_view content) const {
  std::string path = path_ + name;
  if (!WriteWholeFile(path, content)) throw std::runtime_error("cannot write " + path);
  return path;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
  getrlimit(RLIMIT_FSIZE, &saved_);
  savedHandler_ = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved_;
  small.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &small);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);
  signal(SIGXFSZ, savedHandler_);
}

std::string Fixture(const std::string& relativePath) {
  auto content = ReadWholeFile(std::string(OKUZUKE_FIXTURES) + "/" + relativePath);
  if (!content) throw std::runtime_error("missing fixture " + relativePath);
  return *content;
}

}  // namespace okuzuke::test
