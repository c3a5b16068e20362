// Reading a result file back: one record a line, 68 comma-text columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/record.h"

namespace okuzuke::cli {

// The records of a result file; nullopt when it cannot be read.
std::optional<std::vector<TBase>> ReadResultFile(const std::string& path);

// A record line's columns put back into the fields (columns 20 and 41 are
// the empty separators and belong to no field).
TBase RecordFromColumns(const std::vector<std::string>& columns);

}  // namespace okuzuke::cli
