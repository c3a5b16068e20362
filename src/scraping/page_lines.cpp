#include "scraping/page_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "scraping/avx2.h"

#if defined(OKUZUKE_HAVE_AVX2_PATH)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke::scraping {

namespace {

// Where the CR and LF bytes of a 32-byte block stand: bit k for its byte k.
struct EndBits {
  std::uint32_t cr = 0, lf = 0;
};

// The bits of the `n` (at most 32) bytes at `p`, one at a time.
EndBits EndBitsScalar(const char* p, std::size_t n) {
  EndBits bits;
  for (std::size_t k = 0; k < n; ++k) {
    bits.cr |= std::uint32_t{p[k] == '\r'} << k;
    bits.lf |= std::uint32_t{p[k] == '\n'} << k;
  }
  return bits;
}

#if defined(__SSE2__)
EndBits EndBitsSse2(const char* p) {
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  auto bits = [](__m128i a, __m128i b, __m128i c) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, c))) |
           static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(b, c))) << 16;
  };
  return {bits(low, high, cr), bits(low, high, lf)};
}
#endif

#if defined(OKUZUKE_HAVE_AVX2_PATH)
__attribute__((target("avx2"))) inline EndBits EndBitsAvx2(const char* p) {
  const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  return {static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, _mm256_set1_epi8('\r')))),
          static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, _mm256_set1_epi8('\n'))))};
}

// Whether the 32 bytes at `p` hold no CR or LF: most blocks of a page.
__attribute__((target("avx2"))) inline bool NoEndsAvx2(const char* p) {
  const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i ends = _mm256_or_si256(_mm256_cmpeq_epi8(block, _mm256_set1_epi8('\r')),
                                       _mm256_cmpeq_epi8(block, _mm256_set1_epi8('\n')));
  return _mm256_testz_si256(ends, ends);
}

// The whole blocks from the start; a block without line ends is skipped.
template <typename OnBlock>
__attribute__((target("avx2"))) std::size_t EndBlocksAvx2(const char* data, std::size_t size, OnBlock& block) {
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32)
    if (!NoEndsAvx2(data + i)) block(i, EndBitsAvx2(data + i));
  return i;
}

// The whole blocks before `end` going back, while `block` returns true;
// returns where they stopped (npos when `block` stopped them).
template <typename OnBlock>
__attribute__((target("avx2"))) std::size_t EndBlocksBackAvx2(const char* data, std::size_t end, OnBlock& block) {
  for (; end >= 32; end -= 32)
    if (!NoEndsAvx2(data + end - 32) && !block(end - 32, EndBitsAvx2(data + end - 32))) return std::string_view::npos;
  return end;
}
#endif

// The bits of the `n` (at most 32) bytes at `p`.
EndBits EndBitsAt(const char* p, std::size_t n) {
  if (n < 32) return EndBitsScalar(p, n);
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  if (Avx2InUse()) return EndBitsAvx2(p);
#endif
#if defined(__SSE2__)
  return EndBitsSse2(p);
#else
  return EndBitsScalar(p, n);
#endif
}

// Calls `block(at, bits, lfAfterCr)` for the 32-byte blocks of `text` in
// order, the last one short when the size is no multiple of 32;
// `lfAfterCr` holds the LFs right after a CR, the one before the block
// included. A block without line ends may be left out.
template <typename OnBlock>
void ForEachEndBlock(std::string_view text, OnBlock block) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::uint32_t crBefore = 0;  // the block before ended in CR
  std::size_t next = 0;        // where the block after the last one seen starts
  auto withPairs = [&](std::size_t base, EndBits bits) {
    if (base != next) crBefore = 0;  // the blocks between held no line end
    const std::uint32_t lfAfterCr = bits.lf & (bits.cr << 1 | crBefore);
    crBefore = bits.cr >> 31;
    next = base + 32;
    block(base, bits, lfAfterCr);
  };
  std::size_t i = 0;
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  if (Avx2InUse()) i = EndBlocksAvx2(data, size, withPairs);
#endif
  for (; i < size; i += 32) withPairs(i, EndBitsAt(data + i, std::min<std::size_t>(32, size - i)));
}

// Calls `block(at, bits)` for the 32-byte blocks of the `end` bytes at
// `data` from the last back, the first one short when `end` is no multiple
// of 32, while it returns true. A block without line ends may be left out.
template <typename OnBlock>
void ForEachEndBlockBack(const char* data, std::size_t end, OnBlock block) {
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  if (Avx2InUse()) end = EndBlocksBackAvx2(data, end, block);
  if (end == std::string_view::npos) return;
#endif
  for (; end > 0; end -= std::min<std::size_t>(32, end)) {
    const std::size_t n = std::min<std::size_t>(32, end);
    if (!block(end - n, EndBitsAt(data + end - n, n))) return;
  }
}

// Calls `line(begin, end)` for each line of `text`, in order. Every CR ends a
// line, and every LF but one right after a CR.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine line) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t start = 0;
  ForEachEndBlock(text, [&](std::size_t base, EndBits bits, std::uint32_t lfAfterCr) {
    for (std::uint32_t ends = bits.cr | (bits.lf & ~lfAfterCr); ends != 0; ends &= ends - 1) {
      const std::size_t at = base + static_cast<std::size_t>(__builtin_ctz(ends));
      line(start, at);
      start = at + (data[at] == '\r' && at + 1 < size && data[at + 1] == '\n' ? 2 : 1);
    }
  });
  if (start < size) line(start, size);
}

// How many bytes giving every line of `text` a CR LF adds: one for each lone
// CR or LF.
std::size_t LoneLineEndBytes(std::string_view text) {
  std::size_t ends = 0, pairs = 0;
  ForEachEndBlock(text, [&](std::size_t, EndBits bits, std::uint32_t lfAfterCr) {
    ends += static_cast<std::size_t>(__builtin_popcount(bits.cr) + __builtin_popcount(bits.lf));
    pairs += static_cast<std::size_t>(__builtin_popcount(lfAfterCr));
  });
  return ends - 2 * pairs;
}

}  // namespace

PageLines::PageLines(std::string text) : text_(std::move(text)) { IndexLines(); }

PageLines::PageLines(PageBuffers& buffers)
    : text_(std::move(buffers.text)), begins_(std::move(buffers.lineBegins)), ends_(std::move(buffers.lineEnds)) {
  begins_.clear();
  ends_.clear();
  IndexLines();
}

void PageLines::GiveBack(PageBuffers& buffers) && {
  buffers.text = std::move(text_);
  buffers.lineBegins = std::move(begins_);
  buffers.lineEnds = std::move(ends_);
}

void PageLines::IndexLines() {
  begins_.reserve(text_.size() / 32 + 1);  // pages have lines of some tens of bytes
  ends_.reserve(text_.size() / 32 + 1);
  ForEachLine(text_, [this](std::size_t begin, std::size_t end) {
    begins_.push_back(static_cast<std::uint32_t>(begin));
    ends_.push_back(static_cast<std::uint32_t>(end));
  });
}

PageLines::PageLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    begins_.push_back(static_cast<std::uint32_t>(text_.size()));
    text_ += line;
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    text_ += "\r\n";
  }
}

std::ptrdiff_t PageLines::LineAt(std::size_t offset) const {
  // The first line that ends at or after the offset.
  auto line = std::lower_bound(ends_.begin(), ends_.end(), offset);
  return line - ends_.begin();
}

std::ptrdiff_t PageLines::NextLineHolding(char b, std::ptrdiff_t first, std::ptrdiff_t last) const {
  first = std::max<std::ptrdiff_t>(first, 0);
  if (first > last || first >= Count()) return last + 1;
  const std::size_t at = Begin(first), end = End(std::min(last, Count() - 1));
  const void* hit = std::memchr(text_.data() + at, b, end - at);
  return hit ? LineAt(static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data())) : last + 1;
}

std::size_t CrLfRoom(std::size_t size) { return size / 16 + 2; }

void ToCrLfLineEnds(std::string& text) {
  const std::size_t size = text.size();
  if (size == 0) return;
  // Each lone CR or lone LF takes one byte more, an open last line two.
  std::size_t added = LoneLineEndBytes(text);
  const bool open = text.back() != '\r' && text.back() != '\n';
  if (open) added += 2;
  if (added == 0) return;
  if (size + added > text.capacity()) {  // more short lines than room was left for
    std::string grown;
    grown.reserve(size + added);
    grown = text;
    text.swap(grown);
  }

  // From the end back: each line moves to where it belongs and gets its CR
  // LF. Writing never overtakes reading, and once every added byte is
  // placed, the rest stands where it was.
  text.resize(size + added);
  char* data = text.data();
  std::size_t read = size, write = size + added;
  auto putCrLf = [&] {
    data[--write] = '\n';
    data[--write] = '\r';
  };
  if (open) putCrLf();
  // The line-end bytes found a block at a time going back; no byte before
  // `read` has been written over.
  if (write == read) return;
  ForEachEndBlockBack(data, size, [&](std::size_t base, EndBits bits) {
    for (std::uint32_t ends = bits.cr | bits.lf; ends != 0;) {
      const unsigned bit = 31u - static_cast<unsigned>(__builtin_clz(ends));
      ends &= ~(std::uint32_t{1} << bit);
      const std::size_t at = base + bit;
      if (at >= read) continue;  // the CR of a CR LF already moved
      const std::size_t tail = read - (at + 1);
      write -= tail;
      std::memmove(data + write, data + at + 1, tail);
      const bool crLf = data[at] == '\n' && at > 0 && data[at - 1] == '\r';
      putCrLf();
      read = crLf ? at - 1 : at;
      if (write == read) return false;
    }
    return true;
  });
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + CrLfRoom(text.size()));
  out = text;
  ToCrLfLineEnds(out);
  return out;
}

}  // namespace okuzuke::scraping
