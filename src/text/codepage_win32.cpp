#include <windows.h>

#include "text/codepage.h"

namespace okuzuke {

namespace {
constexpr UINT kShiftJis = 932;

std::u16string ToUtf16(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string FromUtf16(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}
}  // namespace

std::string Utf16ToCp932(std::u16string_view text) { return FromUtf16(kShiftJis, text); }
std::u16string Cp932ToUtf16(std::string_view text) { return ToUtf16(kShiftJis, text); }
std::string Cp932ToUtf8(std::string_view text) { return FromUtf16(CP_UTF8, ToUtf16(kShiftJis, text)); }
std::string Utf8ToCp932(std::string_view text) { return FromUtf16(kShiftJis, ToUtf16(CP_UTF8, text)); }

}  // namespace okuzuke
