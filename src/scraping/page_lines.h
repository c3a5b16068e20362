// A page as the rules see it: one Shift-JIS text and its lines as views into
// it, split at CR LF, a lone CR or a lone LF (a final line end starts no
// further line), as SplitLines splits a text. One buffer for the whole page:
// no line is a string of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scraping/scraper.h"

namespace okuzuke::scraping {

class PageLines {
 public:
  PageLines() = default;
  explicit PageLines(std::string text);
  // The page in `buffers.text`, its line index made in the buffers' vectors;
  // GiveBack returns them.
  explicit PageLines(PageBuffers& buffers);
  void GiveBack(PageBuffers& buffers) &&;
  // The lines given one by one, as a test writes a page.
  explicit PageLines(const std::vector<std::string>& lines);

  std::ptrdiff_t Count() const { return static_cast<std::ptrdiff_t>(begins_.size()); }
  // A line outside the page reads as empty, so a rule may look at i + k or
  // i - 1 without checking bounds.
  std::string_view operator[](std::ptrdiff_t index) const {
    if (index < 0 || index >= Count()) return {};
    const std::size_t i = static_cast<std::size_t>(index);
    return std::string_view(text_).substr(begins_[i], ends_[i] - begins_[i]);
  }
  const std::string& Text() const { return text_; }
  // Where line `index` (0 <= index < Count()) starts and ends in Text().
  std::size_t Begin(std::ptrdiff_t index) const { return begins_[static_cast<std::size_t>(index)]; }
  std::size_t End(std::ptrdiff_t index) const { return ends_[static_cast<std::size_t>(index)]; }
  // The line that holds byte `offset` of Text() (an offset inside a line;
  // Count() past the last line).
  std::ptrdiff_t LineAt(std::size_t offset) const;
  // The first of the lines first..last that holds the byte `b`, or last + 1.
  std::ptrdiff_t NextLineHolding(char b, std::ptrdiff_t first, std::ptrdiff_t last) const;

 private:
  void IndexLines();

  std::string text_;
  std::vector<std::uint32_t> begins_, ends_;  // a page is far below 4 GiB
};

// The text written as lines, each followed by CR LF: what JoinLines gives
// for SplitLines(text).
std::string WithCrLfLineEnds(std::string_view text);
// The same on `text` itself. It grows in place, within its capacity when
// CrLfRoom(size) bytes were left free (a CR before every LF of a page of
// lines of 16 bytes or more); a page already written with CR LF is not
// touched.
void ToCrLfLineEnds(std::string& text);
std::size_t CrLfRoom(std::size_t size);

}  // namespace okuzuke::scraping
