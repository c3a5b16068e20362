// Conversion of pages served in UTF-8 or EUC-JP to Shift-JIS.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace okuzuke {

// Thrown for an invalid UTF-8 lead byte; ends the current code's lookup only.
struct Utf8Error : std::runtime_error {
  Utf8Error() : std::runtime_error("UTF-8 Unknown code.") {}
};

// UTF-8 (decoded up to the first 0 byte) to Shift-JIS; characters without a
// Shift-JIS form become "?". Throws Utf8Error on a lead byte 0x80..0xBF or
// 0xF8..0xFF. Never reads past the end of the input.
std::string Utf8ToAnsi(std::string_view utf8);

// Drops the first three bytes (the byte order mark, unchecked), then Utf8ToAnsi.
std::string Utf8BomToAnsi(std::string_view utf8);

// EUC-JP to Shift-JIS by arithmetic; never reads past the end of the input.
std::string EucToSjis(std::string_view euc);

// The same three on `text` itself, so that a page is never held twice.
void Utf8ToAnsiInPlace(std::string& text);
void Utf8BomToAnsiInPlace(std::string& text);
void EucToSjisInPlace(std::string& text);

// JIS X 0208 row and cell bytes (0x21..0x7E) to Shift-JIS lead and trail.
std::array<unsigned char, 2> JisToSjis(unsigned char j1, unsigned char j2);

}  // namespace okuzuke
