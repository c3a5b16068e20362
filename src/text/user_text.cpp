#include "text/user_text.h"

#include <algorithm>

#include "text/codepage.h"
#include "text/file_io.h"
#include "text/sjis.h"

namespace okuzuke {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

struct Utf8Reading {
  std::u16string units;
  bool wellFormed = true;
  bool multiByte = false;
};

// UTF-8 to UTF-16, each ill-formed sequence (overlong forms, surrogates and
// code points beyond U+10FFFF included) as U+FFFD, or the reading ends there
// when `stopWhenIllFormed` (a file without a mark, which is then Shift-JIS).
// Our own check rather than the platform's, so that both builds take the
// same files for UTF-8.
Utf8Reading ReadUtf8(std::string_view text, bool stopWhenIllFormed) {
  Utf8Reading reading;
  reading.units.reserve(text.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  auto continuation = [&](std::size_t at, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return at < size && bytes[at] >= low && bytes[at] <= high;
  };
  for (std::size_t i = 0; i < size;) {
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      reading.units += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    // The second byte's range narrows for E0, ED, F0 and F4 (no overlong
    // forms, no surrogates, nothing past U+10FFFF).
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    bool valid = length > 0 && continuation(i + 1, low, high);
    for (std::size_t k = 2; valid && k < length; ++k) valid = continuation(i + k);
    if (!valid) {
      reading.wellFormed = false;
      if (stopWhenIllFormed) break;
      reading.units += kReplacement;
      ++i;
      continue;
    }
    char32_t code = lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) code = code << 6 | (bytes[i + k] & 0x3F);
    if (code < 0x10000) {
      reading.units += static_cast<char16_t>(code);
    } else {
      code -= 0x10000;
      reading.units += static_cast<char16_t>(0xD800 + (code >> 10));
      reading.units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
    reading.multiByte = true;
    i += length;
  }
  return reading;
}

// A unit cut off by the end of the file becomes U+FFFD, so that its line is
// not used.
std::u16string ReadUtf16(std::string_view text, bool bigEndian) {
  std::u16string units;
  units.reserve(text.size() / 2 + 1);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const unsigned first = bytes[i], second = bytes[i + 1];
    units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  if (text.size() % 2 != 0) units += kReplacement;
  return units;
}

// Lines split as SplitLines splits Shift-JIS text, converted one by one.
// Code page 932 writes "?" for a character it lacks, and no other character
// gives that byte (it is never a trail byte), so more "?" out than in marks
// the line.
void ConvertLines(std::u16string_view text, UserText& out) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find_first_of(u"\r\n", start);
    if (stop == std::u16string_view::npos) stop = text.size();
    const std::u16string_view line = text.substr(start, stop - start);
    std::string sjis = Utf16ToCp932(line);
    if (std::count(sjis.begin(), sjis.end(), '?') > std::count(line.begin(), line.end(), u'?'))
      out.skipped.push_back(out.lines.size());
    out.lines.push_back(std::move(sjis));
    start = stop + ((stop + 1 < text.size() && text[stop] == u'\r' && text[stop + 1] == u'\n') ? 2 : 1);
  }
}

}  // namespace

std::vector<std::string> UserText::UsableLines() const {
  std::vector<std::string> usable;
  usable.reserve(lines.size() - skipped.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (next < skipped.size() && skipped[next] == i) {
      ++next;
      continue;
    }
    usable.push_back(lines[i]);
  }
  return usable;
}

// Without a mark, UTF-8 is taken only when the file is well-formed UTF-8 and
// not plain ASCII. Shift-JIS text is almost never that: its kana and
// half-width kana are bytes 0x82, 0x83 and 0xA1..0xDF, none of which can
// begin a UTF-8 sequence, and a kanji would have to be followed by bytes
// that happen to continue one. A file of ASCII reads alike either way.
UserText DecodeUserText(std::string_view bytes) {
  UserText text;
  auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (startsWith("\xEF\xBB\xBF")) {
    text.encoding = TextEncoding::Utf8;
    ConvertLines(ReadUtf8(bytes.substr(3), false).units, text);
  } else if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
    const bool bigEndian = bytes[0] == '\xFE';
    text.encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
    ConvertLines(ReadUtf16(bytes.substr(2), bigEndian), text);
  } else if (Utf8Reading utf8 = ReadUtf8(bytes, true); utf8.wellFormed && utf8.multiByte) {
    text.encoding = TextEncoding::Utf8;
    ConvertLines(utf8.units, text);
  } else {
    text.lines = SplitLines(bytes);
  }
  return text;
}

std::optional<UserText> ReadUserTextFile(const std::string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return DecodeUserText(*bytes);
}

}  // namespace okuzuke
