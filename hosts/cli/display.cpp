#include "cli/display.h"

#include <algorithm>
#include <cstdio>

#include "text/codepage.h"
#include "text/sjis.h"

namespace okuzuke::cli {

namespace {

// Decodes one UTF-8 character at `i` (advancing it); malformed bytes count
// as one character each.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  unsigned char b = static_cast<unsigned char>(text[i]);
  int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
  if (i + length > text.size()) length = 1;
  char32_t cp = length == 1 ? b : b & (0xFF >> (length + 1));
  for (int k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  i += length;
  return cp;
}

bool IsWide(char32_t cp) {
  return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
         (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
         (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
         (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

// The longest prefix of `text` that fits `width` columns.
std::string Fit(std::string_view text, std::size_t width) {
  if (DisplayWidth(text) <= width) return std::string(text);
  std::size_t used = 0, i = 0, end = 0;
  while (i < text.size()) {
    std::size_t w = IsWide(NextCodePoint(text, i)) ? 2 : 1;
    if (used + w > width - 1) break;
    used += w;
    end = i;
  }
  return std::string(text.substr(0, end)) + "…";
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < utf8.size();) width += IsWide(NextCodePoint(utf8, i)) ? 2 : 1;
  return width;
}

std::string FieldValueForDisplay(std::string_view sjis) {
  return Cp932ToUtf8(ReplaceAll(sjis, "\r\n", "$$"));
}

void PrintTable(const std::vector<std::vector<std::string>>& rows, std::size_t maxWidth) {
  std::vector<std::vector<std::string>> cells;
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    std::vector<std::string> fitted;
    for (std::size_t c = 0; c < row.size(); ++c) {
      fitted.push_back(Fit(row[c], maxWidth));
      if (widths.size() <= c) widths.push_back(0);
      widths[c] = std::max(widths[c], DisplayWidth(fitted.back()));
    }
    cells.push_back(std::move(fitted));
  }
  for (const auto& row : cells) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size()) line += std::string(widths[c] - DisplayWidth(row[c]) + 2, ' ');
    }
    std::printf("%s\n", std::string(TrimRightView(line)).c_str());
  }
}

bool PrintWhole(std::string_view text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (written && std::fflush(stdout) == 0) return true;
  std::fprintf(stderr, "okuzuke: cannot write to standard output\n");
  return false;
}

}  // namespace okuzuke::cli
