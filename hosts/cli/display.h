// Printing Shift-JIS record text on a UTF-8 terminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace okuzuke::cli {

// The terminal columns a UTF-8 text takes (East Asian wide characters: 2).
std::size_t DisplayWidth(std::string_view utf8);

// A value for a NAME<TAB>VALUE line: UTF-8, CR LF shown as "$$".
std::string FieldValueForDisplay(std::string_view sjis);

// Rows of UTF-8 cells printed as aligned columns; cells wider than
// `maxWidth` columns are cut with "…".
void PrintTable(const std::vector<std::vector<std::string>>& rows, std::size_t maxWidth);

}  // namespace okuzuke::cli
