#include "publishers/page_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "publishers/avx2.h"

#if defined(OKUZUKE_HAVE_AVX2_PATH)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke::scraping {

namespace {

#if defined(OKUZUKE_HAVE_AVX2_PATH)
// The line-end bytes of the first whole 32-byte blocks of `data`, to
// `end(at)` in order; returns where the blocks end.
template <typename OnEnd>
__attribute__((target("avx2"))) std::size_t LineEndBytesAvx2(const char* data, std::size_t size, OnEnd& end) {
  const __m256i cr = _mm256_set1_epi8('\r'), lf = _mm256_set1_epi8('\n');
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    auto ends = static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(block, cr), _mm256_cmpeq_epi8(block, lf))));
    while (ends != 0) {
      end(i + static_cast<std::size_t>(__builtin_ctz(ends)));
      ends &= ends - 1;
    }
  }
  return i;
}

// The last line-end byte before `end` in whole 32-byte blocks going back,
// or npos with `end` moved to where the blocks stopped.
__attribute__((target("avx2"))) std::size_t LastLineEndByteAvx2(const char* data, std::size_t& end) {
  const __m256i cr = _mm256_set1_epi8('\r'), lf = _mm256_set1_epi8('\n');
  for (; end >= 32; end -= 32) {
    const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + end - 32));
    const auto ends = static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(block, cr), _mm256_cmpeq_epi8(block, lf))));
    if (ends != 0) return end - 32 + static_cast<std::size_t>(31 - __builtin_clz(ends));
  }
  return std::string_view::npos;
}
#endif

// Calls `end(at)` for each CR or LF byte of `text`, in order.
template <typename OnEnd>
void ForEachLineEndByte(std::string_view text, OnEnd end) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t i = 0;
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  if (Avx2InUse()) i = LineEndBytesAvx2(data, size, end);
#endif
#if defined(__SSE2__)
  // Sixteen bytes at a time: most bytes are no line end.
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    unsigned ends = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
    while (ends != 0) {
      end(i + static_cast<std::size_t>(__builtin_ctz(ends)));
      ends &= ends - 1;
    }
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n') end(i);
}

// Calls `line(begin, end)` for each line of `text`, in order.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine line) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t start = 0;
  // Each CR or LF at `at` ends the line that runs from `start` (an LF right
  // after the CR that ended the previous line is part of that line end).
  ForEachLineEndByte(text, [&](std::size_t at) {
    if (at < start) return;
    line(start, at);
    start = at + (data[at] == '\r' && at + 1 < size && data[at + 1] == '\n' ? 2 : 1);
  });
  if (start < size) line(start, size);
}

// The last CR or LF byte before `end`, or npos.
std::size_t LastLineEndByte(const char* data, std::size_t end) {
  std::size_t i = end;
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  if (Avx2InUse())
    if (const std::size_t at = LastLineEndByteAvx2(data, i); at != std::string_view::npos) return at;
#endif
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i >= 16; i -= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i - 16));
    const auto ends = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
    if (ends != 0) return i - 16 + static_cast<std::size_t>(31 - __builtin_clz(ends));
  }
#endif
  while (i > 0)
    if (--i, data[i] == '\r' || data[i] == '\n') return i;
  return std::string_view::npos;
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
  std::size_t added = 0;
  {
    const char* data = text.data();
    ForEachLineEndByte(text, [&](std::size_t at) {
      if (data[at] == '\r')
        added += at + 1 < size && data[at + 1] == '\n' ? 0 : 1;
      else
        added += at > 0 && data[at - 1] == '\r' ? 0 : 1;
    });
  }
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
  while (write != read) {
    const std::size_t at = LastLineEndByte(data, read);
    const std::size_t tail = read - (at + 1);
    write -= tail;
    std::memmove(data + write, data + at + 1, tail);
    const bool crLf = data[at] == '\n' && at > 0 && data[at - 1] == '\r';
    putCrLf();
    read = crLf ? at - 1 : at;
  }
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + CrLfRoom(text.size()));
  out = text;
  ToCrLfLineEnds(out);
  return out;
}

}  // namespace okuzuke::scraping
