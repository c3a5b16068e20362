#include "text/sjis_chars.h"

#include "text/sjis.h"

namespace okuzuke {

std::size_t SjisCharLength(std::string_view text, std::size_t i) {
  return IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

std::string ReplaceAllOnCharBoundary(std::string_view text, std::string_view from,
                                     std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, from.size(), from) == 0) {
      out += to;
      i += from.size();
    } else {
      std::size_t length = SjisCharLength(text, i);
      out += text.substr(i, length);
      i += length;
    }
  }
  return out;
}

bool EndsWithOnCharBoundary(std::string_view text, std::string_view tail) {
  if (!EndsWith(text, tail)) return false;
  const std::size_t start = text.size() - tail.size();
  std::size_t i = 0;
  while (i < start) i += SjisCharLength(text, i);
  return i == start;
}

}  // namespace okuzuke
