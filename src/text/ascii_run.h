// How far a run of ASCII goes: the step the page converters and the XML
// character check take over most of a text, sixteen bytes at a time where it
// can.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke {

// What ends a run besides a byte of 0x80 or above.
enum class AsciiRunEnd {
  kHighByte,  // nothing else
  kZero,      // a 0 byte
  kControl,   // a control other than tab, line feed and carriage return
};

// The length of the run of ASCII at the start of `bytes`, ended as `kEnd` says.
template <AsciiRunEnd kEnd>
std::size_t AsciiRunLength(const unsigned char* bytes, std::size_t size) {
  std::size_t n = 0;
#if defined(__SSE2__)
  for (; n + 16 <= size; n += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + n));
    auto stops = static_cast<unsigned>(_mm_movemask_epi8(block));
    if constexpr (kEnd == AsciiRunEnd::kZero)
      stops |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_setzero_si128())));
    if constexpr (kEnd == AsciiRunEnd::kControl) {  // signed: high bytes count too, and stop anyway
      const __m128i blanks = _mm_or_si128(
          _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))),
          _mm_cmpeq_epi8(block, _mm_set1_epi8('\r')));
      stops |= static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(blanks, _mm_cmplt_epi8(block, _mm_set1_epi8(0x20)))));
    }
    if (stops != 0) return n + static_cast<std::size_t>(__builtin_ctz(stops));
  }
#endif
  auto ends = [](unsigned char b) {
    if constexpr (kEnd == AsciiRunEnd::kZero) return b == 0;
    if constexpr (kEnd == AsciiRunEnd::kControl) return b < 0x20 && b != '\t' && b != '\n' && b != '\r';
    return false;
  };
  while (n < size && bytes[n] < 0x80 && !ends(bytes[n])) ++n;
  return n;
}

}  // namespace okuzuke
