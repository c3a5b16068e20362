#include <cstdio>

#include "text/codepage.h"
#include "text/sjis.h"
#include "ui/message_box.h"

namespace okuzuke {

namespace {
void PrintLine(const char* kind, const std::string& sjisText) {
  // One line per message: line ends inside the text become blanks.
  std::string line = ReplaceAll(ReplaceAll(Cp932ToUtf8(sjisText), "\r\n", " "), "\n", " ");
  std::fprintf(stderr, "okuzuke %s: %s\n", kind, line.c_str());
  std::fflush(stderr);
}
}  // namespace

void ShowMessage(const std::string& sjisText) { PrintLine("message", sjisText); }
void ShowErrorMessage(const std::string& sjisText) { PrintLine("error", sjisText); }

}  // namespace okuzuke
