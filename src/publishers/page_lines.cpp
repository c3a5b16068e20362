#include "publishers/page_lines.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke::scraping {

namespace {

// Calls `line(begin, end)` for each line of `text`, in order.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine line) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t start = 0;
  // Each CR or LF at `at` ends the line that runs from `start` (an LF right
  // after the CR that ended the previous line is part of that line end).
  auto lineEnd = [&](std::size_t at) {
    if (at < start) return;
    line(start, at);
    start = at + (data[at] == '\r' && at + 1 < size && data[at + 1] == '\n' ? 2 : 1);
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time: most bytes are no line end.
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    unsigned ends = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
    while (ends != 0) {
      lineEnd(i + static_cast<std::size_t>(__builtin_ctz(ends)));
      ends &= ends - 1;
    }
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n') lineEnd(i);
  if (start < size) line(start, size);
}

}  // namespace

PageLines::PageLines(std::string text) : text_(std::move(text)) {
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

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32 + 2);
  ForEachLine(text, [&](std::size_t begin, std::size_t end) {
    out.append(text.data() + begin, end - begin);
    out += "\r\n";
  });
  return out;
}

}  // namespace okuzuke::scraping
