// Byte-level helpers for Shift-JIS (code page 932) text.
//
// All text inside the plug-in is Shift-JIS bytes in std::string. Positions are
// byte positions; containment is a byte-wise, case-sensitive substring test on
// the first occurrence; replacements replace every occurrence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace okuzuke {

// True for a byte that starts a two-byte character in code page 932.
constexpr bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Character-aware searches, for the places where a match straddling two
// double-byte characters would corrupt text ("早春" holds the bytes of "￥"
// across its two kanji; "ポ" ends in the byte "|").

// Bytes of the character starting at byte `i` (< text.size()): 2 for a lead
// byte followed by a trail byte, else 1 (a lead byte at the very end stands alone).
std::size_t SjisCharLength(std::string_view text, std::size_t i);

// Byte offset of the first occurrence of `part` that starts on a character
// boundary (never inside a double-byte character), or npos.
std::size_t FindOnCharBoundary(std::string_view text, std::string_view part);

// Like ReplaceAll, but `from` (non-empty, whole characters) only matches where
// a character starts. Linear in the size of the text.
std::string ReplaceAllOnCharBoundary(std::string_view text, std::string_view from,
                                     std::string_view to);

// True when the text ends with `tail` and `tail` starts on a character boundary.
bool EndsWithOnCharBoundary(std::string_view text, std::string_view tail);

// Replaces every occurrence of `from` (non-empty) by `to`, scanning left to
// right without rescanning replaced text. Linear in the size of the text.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// The same on `text` itself; nothing is copied when `from` is absent, and a
// replacement not longer than `from` is made in place.
void ReplaceAllIn(std::string& text, std::string_view from, std::string_view to);

// Drop bytes 0x00..0x20 at either end (blanks and control characters).
std::string_view TrimView(std::string_view text);
std::string_view TrimLeftView(std::string_view text);
std::string_view TrimRightView(std::string_view text);
inline std::string Trim(std::string_view text) { return std::string(TrimView(text)); }
inline std::string TrimLeft(std::string_view text) { return std::string(TrimLeftView(text)); }
inline std::string TrimRight(std::string_view text) { return std::string(TrimRightView(text)); }
// Trim on `text` itself, nothing copied out.
void TrimIn(std::string& text);

// The text before the first `marker`; empty when the marker is absent.
std::string_view Before(std::string_view text, std::string_view marker);

// Splits a text into lines at CR LF, lone CR or lone LF. A final line end does
// not start another line, so "a\r\nb\r\n" gives two lines.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines, each followed by CR LF (the form files and lists are written in).
std::string JoinLines(const std::vector<std::string>& lines);

// Last `n` bytes of the text (all of it when shorter).
std::string_view LastBytes(std::string_view text, std::size_t n);

// Same as std::string_view::ends_with, kept here for readability at call sites.
inline bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace okuzuke
