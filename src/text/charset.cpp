#include "text/charset.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/ascii_run.h"
#include "text/codepage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke {

namespace {

// JisToSjis for every row and cell byte (lead << 8 | trail), worked out once.
struct EucPairs {
  std::uint16_t bytes[128][128];
  EucPairs() {
    for (unsigned row = 0; row < 128; ++row)
      for (unsigned cell = 0; cell < 128; ++cell) {
        const auto pair = JisToSjis(static_cast<unsigned char>(row), static_cast<unsigned char>(cell));
        bytes[row][cell] = static_cast<std::uint16_t>(pair[0] << 8 | pair[1]);
      }
  }
};
const EucPairs kEucPairs;

#if defined(__SSE2__)
// A bit for each of the sixteen bytes that is a JIS X 0208 byte 0xA1..0xFE.
unsigned PairBytes(__m128i block) {
  const __m128i shifted = _mm_xor_si128(block, _mm_set1_epi8(static_cast<char>(0x80)));  // 0x21..0x7E, signed
  const __m128i inRange = _mm_and_si128(_mm_cmpgt_epi8(shifted, _mm_set1_epi8(0x20)),
                                        _mm_cmplt_epi8(shifted, _mm_set1_epi8(0x7F)));
  return static_cast<unsigned>(_mm_movemask_epi8(inRange));
}

// JisToSjis on eight pairs at once, each a 16-bit lane (lead in the low byte).
__m128i EightPairsToSjis(__m128i block) {
  const __m128i low7 = _mm_set1_epi16(0x7F);
  const __m128i row = _mm_and_si128(block, low7);
  const __m128i cell = _mm_and_si128(_mm_srli_epi16(block, 8), low7);
  const __m128i oddRow = _mm_cmpeq_epi16(_mm_and_si128(row, _mm_set1_epi16(1)), _mm_set1_epi16(1));
  // cell + 31, one more from 0x60 on (the compare gives -1 there)
  const __m128i oddTrail = _mm_sub_epi16(_mm_add_epi16(cell, _mm_set1_epi16(31)),
                                         _mm_cmpgt_epi16(cell, _mm_set1_epi16(0x5F)));
  const __m128i evenTrail = _mm_add_epi16(cell, _mm_set1_epi16(126));
  const __m128i trail = _mm_or_si128(_mm_and_si128(oddRow, oddTrail), _mm_andnot_si128(oddRow, evenTrail));
  const __m128i lead = _mm_add_epi16(
      _mm_add_epi16(_mm_srli_epi16(_mm_add_epi16(row, _mm_set1_epi16(1)), 1), _mm_set1_epi16(112)),
      _mm_and_si128(_mm_cmpgt_epi16(row, _mm_set1_epi16(0x5E)), _mm_set1_epi16(64)));
  return _mm_or_si128(lead, _mm_slli_epi16(trail, 8));
}

// The pairs that open the sixteen bytes at `in` (up to eight), converted and
// stored at `out`; returns the bytes converted, 0 when the first two bytes
// are no such pair. Only the converted bytes are stored, so that the next
// load of the text does not overlap a store still in flight, and none that
// is yet to be read is written over.
std::size_t ConvertPairRun(const unsigned char* in, char* out) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const unsigned pairBytes = PairBytes(block);
  const unsigned count = static_cast<unsigned>(__builtin_ctz(~pairBytes)) & ~1u;  // whole pairs only
  if (count == 0) return 0;
  __m128i bytes = EightPairsToSjis(block);
  if (count == 16) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    return 16;
  }
  char* at = out;
  if (count & 8) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), bytes);
    bytes = _mm_srli_si128(bytes, 8);
    at += 8;
  }
  if (count & 4) {
    const auto four = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
    std::memcpy(at, &four, 4);
    bytes = _mm_srli_si128(bytes, 4);
    at += 4;
  }
  if (count & 2) {
    const auto two = static_cast<std::uint16_t>(_mm_cvtsi128_si32(bytes));
    std::memcpy(at, &two, 2);
  }
  return count;
}
#endif

// Converts `euc` into `out` (room for euc.size() bytes; it may be euc.data()
// itself: every step writes at most the bytes it reads, and only once they
// are read) and returns the bytes written.
std::size_t ConvertEuc(std::string_view euc, char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(euc.data());
  const std::size_t size = euc.size();
  const bool inPlace = out == euc.data();
  std::size_t written = 0;
  std::size_t i = 0;
  while (i < size) {
    const unsigned b = in[i];
    if (b < 0x80) {
      // A run of ASCII (most of a page); in place, it stays where it is
      // until a single shift has made the text shorter.
      const std::size_t run = AsciiRunLength<AsciiRunEnd::kHighByte>(in + i, size - i);
      if (!inPlace || written != i) std::memmove(out + written, in + i, run);
      i += run;
      written += run;
      continue;
    }
#if defined(__SSE2__)
    // A run of pairs, up to eight at once.
    if (b >= 0xA1 && i + 16 <= size) {
      if (const std::size_t count = ConvertPairRun(in + i, out + written); count > 0) {
        i += count;
        written += count;
        continue;
      }
    }
#endif
    if (b == 0x80 || b == 0xFF) {
      out[written++] = static_cast<char>(b);
      i += 1;
    } else if (i + 1 == size) {
      break;  // the first byte of a pair cut off by the end stands for nothing: dropped
    } else if (b == 0x8E) {  // single shift: a half-width katakana byte follows
      out[written++] = static_cast<char>(in[i + 1]);
      i += 2;
    } else {
      const unsigned pair = kEucPairs.bytes[b & 0x7F][in[i + 1] & 0x7F];
      out[written++] = static_cast<char>(pair >> 8);
      out[written++] = static_cast<char>(pair & 0xFF);
      i += 2;
    }
  }
  return written;
}

std::string_view WithoutByteOrderMark(std::string_view utf8) {
  return utf8.substr(std::min<std::size_t>(3, utf8.size()));
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out(utf8.size() + 1, '\0');
  out.resize(Utf8PageToCp932(utf8, out.data()));
  return out;
}

std::string Utf8BomToAnsi(std::string_view utf8) { return Utf8ToAnsi(WithoutByteOrderMark(utf8)); }

std::string EucToSjis(std::string_view euc) {
  std::string out(euc.size(), '\0');
  out.resize(ConvertEuc(euc, out.data()));
  return out;
}

void Utf8ToAnsiInPlace(std::string& text) {
  const std::size_t size = text.size();
  text.push_back('\0');  // the byte a cut-off sequence may take
  text.resize(Utf8PageToCp932(std::string_view(text.data(), size), text.data()));
}

void Utf8BomToAnsiInPlace(std::string& text) {
  const std::size_t size = text.size();
  text.push_back('\0');
  text.resize(Utf8PageToCp932(WithoutByteOrderMark(std::string_view(text.data(), size)), text.data()));
}

void EucToSjisInPlace(std::string& text) { text.resize(ConvertEuc(text, text.data())); }

std::array<unsigned char, 2> JisToSjis(unsigned char j1, unsigned char j2) {
  const unsigned row = j1;
  const unsigned cell = j2;
  unsigned trail;
  if (row % 2 == 0)
    trail = cell + 126;
  else
    trail = cell + (cell < 0x60 ? 31 : 32);
  const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 112 : 176);
  return {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
}

}  // namespace okuzuke
