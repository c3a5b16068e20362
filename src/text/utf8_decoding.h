// The UTF-8 reading that page conversion uses on every platform: lenient
// about continuation bytes, strict about lead bytes, never past the end.
#pragma once

#include <string_view>

#include "text/ascii_run.h"
#include "text/charset.h"

namespace okuzuke {

// Decodes UTF-8 up to its first 0 byte and calls `emit` with each code point
// other than U+0000, or `emitAscii` with a run of ASCII bytes (most of a page)
// at once. An encoded U+0000 (e.g. C0 80) ends the text as a 0 byte does, but
// the bytes up to the first 0 byte are still decoded, and may still be
// invalid: a lead byte 0x80..0xBF or 0xF8..0xFF throws Utf8Error.
// A sequence cut off by the end takes zeros for its missing continuation
// bytes, as if the input were padded with zeros, and ends the decoding; the
// padding is never read. Continuation bytes are not checked: only their low
// six bits count. Four-byte sequences beyond U+10FFFF give U+FFFD.
template <typename Emit, typename EmitAscii>
void DecodeUtf8(std::string_view utf8, Emit emit, EmitAscii emitAscii) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  auto low6 = [&](std::size_t i) -> char32_t { return i < size ? bytes[i] & 0x3F : 0; };
  bool ended = false;
  auto put = [&](char32_t code) {
    if (code == 0) [[unlikely]]
      ended = true;
    if (!ended) [[likely]]
      emit(code);
  };

  std::size_t i = 0;
  while (i < size) {
    const char32_t lead = bytes[i];
    if (lead >= 0xE0 && lead <= 0xEF) {  // first: most of a Japanese text
      if (i + 2 >= size) {
        put((lead & 0x0F) << 12 | low6(i + 1) << 6 | low6(i + 2));
        i += 3;
        continue;
      }
      // A run of three-byte sequences (kana and kanji) in one loop.
      do {
        put(char32_t{bytes[i] & 0x0Fu} << 12 | char32_t{bytes[i + 1] & 0x3Fu} << 6 | (bytes[i + 2] & 0x3Fu));
        i += 3;
      } while (i + 2 < size && (bytes[i] & 0xF0) == 0xE0);
    } else if (lead < 0x80) {
      if (lead == 0) break;
      const std::size_t run = AsciiRunLength<AsciiRunEnd::kZero>(bytes + i, size - i);
      if (!ended) emitAscii(utf8.substr(i, run));
      i += run;
    } else if (lead >= 0xC0 && lead <= 0xDF) {
      put((lead & 0x1F) << 6 | low6(i + 1));
      i += 2;
    } else if (lead >= 0xF0 && lead <= 0xF7) {
      char32_t code = (lead & 0x07) << 18 | low6(i + 1) << 12 | low6(i + 2) << 6 | low6(i + 3);
      put(code <= 0x10FFFF ? code : U'\uFFFD');
      i += 4;
    } else {
      throw Utf8Error();
    }
  }
}

}  // namespace okuzuke
