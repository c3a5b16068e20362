// How far a run of ASCII goes: the step the page converters take over most of
// a page, sixteen bytes at a time where it can.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke {

// The length of the run of bytes below 0x80 at the start of `bytes`; with
// `kStopAtZero`, a 0 byte ends the run as well.
template <bool kStopAtZero>
std::size_t AsciiRunLength(const unsigned char* bytes, std::size_t size) {
  std::size_t n = 0;
#if defined(__SSE2__)
  for (; n + 16 <= size; n += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + n));
    auto stops = static_cast<unsigned>(_mm_movemask_epi8(block));
    if constexpr (kStopAtZero) stops |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_setzero_si128())));
    if (stops != 0) return n + static_cast<std::size_t>(__builtin_ctz(stops));
  }
#endif
  while (n < size && bytes[n] < 0x80 && (!kStopAtZero || bytes[n] != 0)) ++n;
  return n;
}

}  // namespace okuzuke
