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

// Writes `text` whole to standard output and flushes it; false, with a
// message on standard error, when it could not (a full disk, a closed pipe):
// output that a script reads must not end short under an exit status of 0.
bool PrintWhole(std::string_view text);

}  // namespace okuzuke::cli
