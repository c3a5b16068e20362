// Reading a result file back: one record a line, 68 comma-text columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/record.h"

namespace okuzuke::cli {

// The columns of a record line: the 66 fields and the two empty separators.
inline constexpr std::size_t kRecordColumns = kBookFieldCount + 2;

// The records of a result file (empty lines skipped). nullopt, with `error`
// saying why, when the file cannot be read or a line is no record of 68
// columns: a file that is no result file, or one cut short, is reported
// rather than shown as records made of whatever its lines hold.
std::optional<std::vector<TBase>> ReadResultFile(const std::string& path, std::string& error);

// A record line's columns put back into the fields (columns 20 and 41 are
// the empty separators and belong to no field).
TBase RecordFromColumns(const std::vector<std::string>& columns);

}  // namespace okuzuke::cli
