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

std::optional<std::vector<TBase>> ReadResultFile(const std::string& path, std::string& error) {
  auto lines = LoadLines(path);
  if (!lines) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::vector<TBase> records;
  for (std::size_t n = 0; n < lines->size(); ++n) {
    const std::string& line = (*lines)[n];
    if (line.empty()) continue;
    const std::vector<std::string> columns = SplitCommaText(line);
    if (columns.size() != kRecordColumns) {
      error = path + " is no result file: line " + std::to_string(n + 1) + " has " +
              std::to_string(columns.size()) + (columns.size() == 1 ? " column" : " columns") +
              " where a record has " + std::to_string(kRecordColumns);
      return std::nullopt;
    }
    records.push_back(RecordFromColumns(columns));
  }
  return records;
}

}  // namespace okuzuke::cli
