#include <windows.h>

#include "text/codepage.h"
#include "ui/message_box.h"

namespace okuzuke {

namespace {
void Show(const std::string& sjisText, UINT flags) {
  std::u16string text = Cp932ToUtf16(sjisText);
  MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()), L"", flags);
}
}  // namespace

void ShowMessage(const std::string& sjisText) { Show(sjisText, MB_OK); }
void ShowErrorMessage(const std::string& sjisText) { Show(sjisText, MB_OK | MB_ICONERROR); }

}  // namespace okuzuke
