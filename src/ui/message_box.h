// Modal messages to the user. Win32: a message box (texts converted from
// code page 932 explicitly). POSIX: one line on standard error, in UTF-8.
#pragma once

#include <string>

namespace okuzuke {

// A plain message (no icon), as shown for an empty code list.
void ShowMessage(const std::string& sjisText);
// An error message (error icon, no caption).
void ShowErrorMessage(const std::string& sjisText);

}  // namespace okuzuke
