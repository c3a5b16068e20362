// The UTF-8 reading that page conversion uses on every platform: lenient
// about continuation bytes, strict about lead bytes, never past the end.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/charset.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke {

// The length of the run of ASCII bytes other than 0 at the start of `text`,
// sixteen (or eight) bytes at a time where it can.
inline std::size_t AsciiRun(std::string_view text) {
  std::size_t n = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; n + 16 <= text.size(); n += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + n));
    // High bits, and 0 bytes.
    const auto stops = static_cast<unsigned>(_mm_movemask_epi8(block) | _mm_movemask_epi8(_mm_cmpeq_epi8(block, zero)));
    if (stops != 0) return n + static_cast<std::size_t>(__builtin_ctz(stops));
  }
#endif
  constexpr std::uint64_t kHigh = 0x8080808080808080ull, kOnes = 0x0101010101010101ull;
  while (n + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + n, 8);
    // A high bit, or a 0 byte (which the subtraction turns into a high bit).
    if (((word | (word - kOnes)) & kHigh) != 0) break;
    n += 8;
  }
  while (n < text.size() && static_cast<unsigned char>(text[n]) < 0x80 && text[n] != '\0') ++n;
  return n;
}

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
      const std::size_t run = AsciiRun(utf8.substr(i));
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
