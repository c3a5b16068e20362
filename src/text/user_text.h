// The files users edit by hand ("Setting.ini", the dictionaries), read in
// whichever encoding their editor saved them, as Shift-JIS lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace okuzuke {

enum class TextEncoding { ShiftJis, Utf8, Utf16Le, Utf16Be };

struct UserText {
  TextEncoding encoding = TextEncoding::ShiftJis;
  // Every line in Shift-JIS, without its line end.
  std::vector<std::string> lines;
  // The indexes (from 0, ascending) of the lines holding a character code
  // page 932 has no code for; such a line holds "?" in its place and is not
  // to be used.
  std::vector<std::size_t> skipped;

  // The lines but the skipped ones.
  std::vector<std::string> UsableLines() const;
};

// A byte order mark decides the encoding (EF BB BF UTF-8, FF FE UTF-16 LE,
// FE FF UTF-16 BE) and is not part of the text. Without one, well-formed
// UTF-8 holding at least one multi-byte sequence is UTF-8, and anything else
// Shift-JIS, split as LoadLines splits it. CR LF, LF and a lone CR end a line.
UserText DecodeUserText(std::string_view bytes);

// The file at `path` decoded; nullopt when it cannot be read.
std::optional<UserText> ReadUserTextFile(const std::string& path);

}  // namespace okuzuke
