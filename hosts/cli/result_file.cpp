#include "cli/result_file.h"

#include "text/file_io.h"

namespace okuzuke::cli {

TBase RecordFromColumns(const std::vector<std::string>& columns) {
  TBase book;
  int field = 1;
  for (std::size_t c = 0; c < columns.size() && field <= kBookFieldCount; ++c) {
    if (c == 19 || c == 40) continue;
    BookField(book, field++) = columns[c];
  }
  return book;
}

std::optional<std::vector<TBase>> ReadResultFile(const std::string& path) {
  auto lines = LoadLines(path);
  if (!lines) return std::nullopt;
  std::vector<TBase> records;
  for (const std::string& line : *lines) {
    if (line.empty()) continue;
    records.push_back(RecordFromColumns(SplitCommaText(line)));
  }
  return records;
}

}  // namespace okuzuke::cli
