#include "text/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "test_support.h"
#include "text/file_read.h"

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
  {
    test::FileSizeLimit fullDisk(4096);
    EXPECT_FALSE(SaveLines(path, lines));
  }
  EXPECT_EQ(entries(), 0u);

  EXPECT_FALSE(SaveLines(dir.Path() + "gone/result.txt", lines));  // no such folder
}

// Only a regular file is read, into the caller's buffer, with the room asked
// for; a FIFO is not waited on.
TEST(ReadWholeFileInto, ReadsRegularFilesOnly) {
  test::TempDir dir;
  const std::string page = dir.Write("page.html", std::string(5000, 'p'));
  const std::string empty = dir.Write("empty.html", "");
  ASSERT_EQ(::mkfifo((dir.Path() + "fifo").c_str(), 0600), 0);
  struct Case {
    std::string path;
    bool read;
    std::size_t size;
  } cases[] = {{page, true, 5000},           {empty, true, 0},          {dir.Path() + "none", false, 0},
               {dir.Path(), false, 0},        {dir.Path() + "fifo", false, 0}, {"", false, 0}};
  std::string buffer = "left from the last page";
  for (const Case& c : cases) {
    EXPECT_EQ(ReadWholeFileInto(c.path, buffer, [](std::size_t size) { return size; }), c.read) << c.path;
    EXPECT_EQ(buffer.size(), c.size) << c.path;
    if (c.read) EXPECT_GE(buffer.capacity(), 2 * c.size);
  }
  ASSERT_TRUE(ReadWholeFileInto(page, buffer));
  EXPECT_EQ(buffer, std::string(5000, 'p'));
}

}  // namespace
}  // namespace okuzuke
