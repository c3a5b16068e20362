#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "text/codepage.h"
#include "text/utf8_decoding.h"

namespace okuzuke {

namespace {
constexpr UINT kShiftJis = 932;

// Characters that pages made on Unix or Mac systems write with the JIS code
// points, which code page 932 holds under other Unicode values. Windows' own
// table turns them into "?"; mapping them first keeps them (and matches what
// iconv gives on other platforms).
struct JisForm {
  char16_t from, to;
};
constexpr JisForm kJisForms[] = {
    {0x2014, 0x2015},  // EM DASH -> HORIZONTAL BAR (0x815C)
    {0x2016, 0x2225},  // DOUBLE VERTICAL LINE -> PARALLEL TO (0x8161)
    {0x203E, 0x007E},  // OVERLINE -> 0x7E
    {0x2212, 0xFF0D},  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (0x817C)
    {0x301C, 0xFF5E},  // WAVE DASH -> FULLWIDTH TILDE (0x8160)
};

char16_t ToCp932Form(char16_t u) {
  for (const auto& form : kJisForms)
    if (form.from == u) return form.to;
  return u;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// True when the text holds a JIS form or a surrogate pair and so needs
// MapForCp932 before conversion.
bool NeedsMapping(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char16_t u) { return ToCp932Form(u) != u || IsHighSurrogate(u); });
}

// JIS forms to their code page 932 values; a surrogate pair (nothing outside
// the BMP exists in code page 932) to one "?", where Windows would write two.
std::u16string MapForCp932(std::u16string_view text) {
  std::u16string mapped;
  mapped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      mapped += u'?';
      ++i;
    } else {
      mapped += ToCp932Form(text[i]);
    }
  }
  return mapped;
}

std::u16string ToUtf16(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string FromUtf16(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}
}  // namespace

std::string Utf16ToCp932(std::u16string_view text) {
  if (!NeedsMapping(text)) return FromUtf16(kShiftJis, text);
  return FromUtf16(kShiftJis, MapForCp932(text));
}

namespace {

// Collects UTF-16 units in a small buffer and converts them a buffer at a
// time, so a whole page never needs a UTF-16 copy of itself. Writes to `out`,
// which may be the very text being read: no character takes more bytes in
// code page 932 than in UTF-8, and units are written only once read.
class Cp932Writer {
 public:
  explicit Cp932Writer(char* out) : out_(out) {}

  void Put(char32_t code) {
    if (filled_ + 2 > units_.size()) Flush();  // keeps a surrogate pair together
    if (code < 0x10000) {
      units_[filled_++] = static_cast<char16_t>(code);
    } else {
      code -= 0x10000;
      units_[filled_++] = static_cast<char16_t>(0xD800 + (code >> 10));
      units_[filled_++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
  }

  // ASCII stands for itself in code page 932.
  void PutAscii(std::string_view ascii) {
    Flush();
    std::memmove(out_ + written_, ascii.data(), ascii.size());
    written_ += ascii.size();
  }

  std::size_t Finish() {
    Flush();
    return written_;
  }

 private:
  void Flush() {
    if (filled_ == 0) return;
    const std::string bytes = Utf16ToCp932(std::u16string_view(units_.data(), filled_));
    std::memcpy(out_ + written_, bytes.data(), bytes.size());
    written_ += bytes.size();
    filled_ = 0;
  }

  std::array<char16_t, 4096> units_;
  std::size_t filled_ = 0;
  char* out_;
  std::size_t written_ = 0;
};

}  // namespace

std::size_t Utf8PageToCp932(std::string_view utf8, char* out) {
  Cp932Writer writer(out);
  DecodeUtf8(
      utf8, [&](char32_t code) { writer.Put(code); },
      [&](std::string_view ascii) { writer.PutAscii(ascii); });
  return writer.Finish();
}

std::u16string Cp932ToUtf16(std::string_view text) { return ToUtf16(kShiftJis, text); }
std::string Cp932ToUtf8(std::string_view text) { return FromUtf16(CP_UTF8, ToUtf16(kShiftJis, text)); }
std::string Utf8ToCp932(std::string_view text) { return Utf16ToCp932(ToUtf16(CP_UTF8, text)); }

}  // namespace okuzuke
