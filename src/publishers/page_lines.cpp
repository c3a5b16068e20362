#include "publishers/page_lines.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace okuzuke::scraping {

namespace {

// Calls `end(at)` for each CR or LF byte of `text`, in order.
template <typename OnEnd>
void ForEachLineEndByte(std::string_view text, OnEnd end) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t i = 0;
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

// Writes a text given piece by piece as its lines, each followed by CR LF:
// what WithCrLfLineEnds gives for the whole, a piece at a time.
class CrLfWriter {
 public:
  explicit CrLfWriter(std::string& out) : out_(out) {}

  void Feed(std::string_view piece) {
    std::size_t from = 0;
    ForEachLineEndByte(piece, [&](std::size_t at) {
      Text(piece.substr(from, at - from));
      from = at + 1;
      if (piece[at] == '\n' && afterCr_) {
        afterCr_ = false;  // the LF of a CR LF: the CR ended the line
        return;
      }
      out_ += "\r\n";
      lineOpen_ = false;
      afterCr_ = piece[at] == '\r';
    });
    Text(piece.substr(from));
  }
  void Finish() {
    if (lineOpen_) out_ += "\r\n";
  }

 private:
  void Text(std::string_view text) {
    if (text.empty()) return;
    out_ += text;
    lineOpen_ = true;
    afterCr_ = false;
  }

  std::string& out_;
  bool lineOpen_ = false;  // the last line has text and no end yet
  bool afterCr_ = false;   // the last byte was a CR
};

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
  out.reserve(text.size() + text.size() / 16 + 2);
  CrLfWriter writer(out);
  writer.Feed(text);
  writer.Finish();
  return out;
}

std::optional<std::string> ReadWithCrLfLineEnds(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || (st.st_mode & S_IFMT) != S_IFREG) return std::nullopt;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string out;
  // Room for a CR before every LF of a page of short lines; the part never
  // written is never touched either.
  out.reserve(static_cast<std::size_t>(st.st_size) + static_cast<std::size_t>(st.st_size) / 16 + 2);
  CrLfWriter writer(out);
  const std::size_t chunkSize = std::min<std::size_t>(static_cast<std::size_t>(st.st_size) + 1, 1 << 20);
  const std::unique_ptr<char[]> chunk(new char[chunkSize]);
  std::size_t got;
  while ((got = std::fread(chunk.get(), 1, chunkSize, file)) > 0) writer.Feed(std::string_view(chunk.get(), got));
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  writer.Finish();
  return out;
}

}  // namespace okuzuke::scraping
