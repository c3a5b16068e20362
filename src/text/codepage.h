// The platform's conversions between Unicode and code page 932. Always code
// page 932, never the system's current ANSI code page. Implemented by
// codepage_win32.cpp (WideCharToMultiByte) and codepage_posix.cpp (iconv).
#pragma once

#include <string>
#include <string_view>

namespace okuzuke {

// UTF-16 to Shift-JIS; characters without a Shift-JIS form become "?".
std::string Utf16ToCp932(std::u16string_view text);

// A page's UTF-8, read as DecodeUtf8 reads it, written into `out` as the
// Shift-JIS that Utf16ToCp932 gives for its units. `out` has room for
// utf8.size() + 1 bytes (a sequence cut off by the end may give two bytes
// from one) and may be utf8.data() itself. Returns the bytes written.
std::size_t Utf8PageToCp932(std::string_view utf8, char* out);

// Shift-JIS to UTF-16; undecodable bytes become U+FFFD.
std::u16string Cp932ToUtf16(std::string_view text);

// Conveniences for our own tools, which read and print UTF-8.
std::string Cp932ToUtf8(std::string_view text);
std::string Utf8ToCp932(std::string_view text);

}  // namespace okuzuke
