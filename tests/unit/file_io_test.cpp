#include "text/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "test_support.h"

namespace okuzuke {
namespace {

// The result file is there whole or not at all; nothing is left beside it.
TEST(SaveLines, WritesWholeOrNothing) {
  test::TempDir dir;
  const std::string path = dir.Path() + "result.txt";
  const std::vector<std::string> lines(200, std::string(100, 'x'));
  auto entries = [&] {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++n;
    return n;
  };

  ASSERT_TRUE(SaveLines(path, {"old"}));
  ASSERT_TRUE(SaveLines(path, lines));  // replaces a file that is there
  EXPECT_EQ(ReadWholeFile(path)->size(), 200u * 102);
  EXPECT_EQ(entries(), 1u);
  std::filesystem::remove(path);

  // A disk that fills up halfway (the file size limit stands in for it).
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool written = SaveLines(path, lines);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(entries(), 0u);

  EXPECT_FALSE(SaveLines(dir.Path() + "gone/result.txt", lines));  // no such folder
}

}  // namespace
}  // namespace okuzuke
