// The files the user edits by hand that a run reads: the dictionaries in the
// work folder and "Setting.ini". The plug-in reads them in any of Notepad's
// encodings and leaves out silently the lines it cannot use; `okuzuke run`
// says which.
#pragma once

#include <string>

namespace okuzuke::cli {

// Tells on standard error, by file and line number, each line of the file at
// `path` that holds a character code page 932 lacks and so is not used.
// Nothing for a missing file.
void ReportUnusedLines(const std::string& path);

}  // namespace okuzuke::cli
