#include "text/charset.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/codepage.h"

namespace okuzuke {

namespace {

// The length of the run of ASCII bytes other than 0 at the start of `text`,
// eight bytes at a time where it can.
std::size_t AsciiRun(std::string_view text) {
  std::size_t n = 0;
  constexpr std::uint64_t kHigh = 0x8080808080808080ull, kOnes = 0x0101010101010101ull;
  while (n + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + n, 8);
    // A high bit, or a 0 byte (which the subtraction turns into a high bit).
    if (((word | (word - kOnes)) & kHigh) != 0) break;
    n += 8;
  }
  while (n < text.size() && static_cast<unsigned char>(text[n]) < 0x80 && text[n] != '\0') ++n;
  return n;
}

// Decodes UTF-8 up to its first 0 byte and calls `emit` with each code point,
// or `emitAscii` with a run of ASCII bytes (most of a page) at once.
// A sequence cut off by the end takes zeros for its missing continuation
// bytes, as if the input were padded with zeros, and ends the decoding; the
// padding is never read. Continuation bytes are not checked: only their low
// six bits count. Four-byte sequences beyond U+10FFFF give U+FFFD.
template <typename Emit, typename EmitAscii>
void DecodeUtf8(std::string_view utf8, Emit emit, EmitAscii emitAscii) {
  const std::size_t size = utf8.size();
  auto byteAt = [&](std::size_t i) -> char32_t {
    return i < size ? static_cast<unsigned char>(utf8[i]) : 0;
  };
  auto low6 = [&](std::size_t i) -> char32_t { return byteAt(i) & 0x3F; };

  std::size_t i = 0;
  while (i < size) {
    const char32_t lead = byteAt(i);
    if (lead == 0) break;
    if (lead < 0x80) {
      const std::size_t run = AsciiRun(utf8.substr(i));
      emitAscii(utf8.substr(i, run));
      i += run;
    } else if (lead >= 0xC0 && lead <= 0xDF) {
      emit((lead & 0x1F) << 6 | low6(i + 1));
      i += 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      emit((lead & 0x0F) << 12 | low6(i + 1) << 6 | low6(i + 2));
      i += 3;
    } else if (lead >= 0xF0 && lead <= 0xF7) {
      char32_t code = (lead & 0x07) << 18 | low6(i + 1) << 12 | low6(i + 2) << 6 | low6(i + 3);
      emit(code <= 0x10FFFF ? code : U'\uFFFD');
      i += 4;
    } else {
      throw Utf8Error();
    }
  }
}

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

// Converts `utf8` into `out` (room for utf8.size() + 1 bytes: a sequence cut
// off by the end may give a character of two bytes from one; `out` may be
// utf8.data() itself) and returns the bytes written.
std::size_t ConvertUtf8(std::string_view utf8, char* out) {
  Cp932Writer writer(out);
  // An encoded U+0000 (e.g. C0 80) ends the text as a 0 byte does, but the
  // bytes up to the first 0 byte are still decoded, and may still be invalid.
  bool ended = false;
  DecodeUtf8(
      utf8,
      [&](char32_t code) {
        if (code == 0) ended = true;
        if (!ended) writer.Put(code);
      },
      [&](std::string_view ascii) {
        if (!ended) writer.PutAscii(ascii);
      });
  return writer.Finish();
}

// JisToSjis for every row and cell byte (lead << 8 | trail), worked out once.
struct EucPairs {
  std::uint16_t bytes[128][128];
  EucPairs() {
    for (unsigned row = 0; row < 128; ++row)
      for (unsigned cell = 0; cell < 128; ++cell) {
        const auto pair = JisToSjis(static_cast<unsigned char>(row), static_cast<unsigned char>(cell));
        bytes[row][cell] = static_cast<std::uint16_t>(pair[0] << 8 | pair[1]);
      }
  }
};
const EucPairs kEucPairs;

// Converts `euc` into `out` (room for euc.size() bytes; it may be euc.data()
// itself: every step writes at most the bytes it reads, and only once they
// are read) and returns the bytes written.
std::size_t ConvertEuc(std::string_view euc, char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(euc.data());
  const std::size_t size = euc.size();
  std::size_t written = 0;
  std::size_t i = 0;
  while (i < size) {
    const unsigned b = in[i];
    if (b < 0x80) {
      out[written++] = static_cast<char>(b);
      ++i;
      // The rest of a run of ASCII (most of a page), eight bytes at a time.
      for (std::uint64_t word; i + 8 <= size; i += 8, written += 8) {
        std::memcpy(&word, in + i, 8);
        if ((word & 0x8080808080808080ull) != 0) break;
        std::memcpy(out + written, &word, 8);
      }
    } else if (b == 0x80 || b == 0xFF) {
      out[written++] = static_cast<char>(b);
      i += 1;
    } else if (i + 1 == size) {
      break;  // the first byte of a pair cut off by the end stands for nothing: dropped
    } else if (b == 0x8E) {  // single shift: a half-width katakana byte follows
      out[written++] = static_cast<char>(in[i + 1]);
      i += 2;
    } else {
      const unsigned pair = kEucPairs.bytes[b & 0x7F][in[i + 1] & 0x7F];
      out[written++] = static_cast<char>(pair >> 8);
      out[written++] = static_cast<char>(pair & 0xFF);
      i += 2;
    }
  }
  return written;
}

std::string_view WithoutByteOrderMark(std::string_view utf8) {
  return utf8.substr(std::min<std::size_t>(3, utf8.size()));
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out(utf8.size() + 1, '\0');
  out.resize(ConvertUtf8(utf8, out.data()));
  return out;
}

std::string Utf8BomToAnsi(std::string_view utf8) { return Utf8ToAnsi(WithoutByteOrderMark(utf8)); }

std::string EucToSjis(std::string_view euc) {
  std::string out(euc.size(), '\0');
  out.resize(ConvertEuc(euc, out.data()));
  return out;
}

void Utf8ToAnsiInPlace(std::string& text) {
  const std::size_t size = text.size();
  text.push_back('\0');  // the byte a cut-off sequence may take
  text.resize(ConvertUtf8(std::string_view(text.data(), size), text.data()));
}

void Utf8BomToAnsiInPlace(std::string& text) {
  const std::size_t size = text.size();
  text.push_back('\0');
  text.resize(ConvertUtf8(WithoutByteOrderMark(std::string_view(text.data(), size)), text.data()));
}

void EucToSjisInPlace(std::string& text) { text.resize(ConvertEuc(text, text.data())); }

std::array<unsigned char, 2> JisToSjis(unsigned char j1, unsigned char j2) {
  const unsigned row = j1;
  const unsigned cell = j2;
  unsigned trail;
  if (row % 2 == 0)
    trail = cell + 126;
  else
    trail = cell + (cell < 0x60 ? 31 : 32);
  const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 112 : 176);
  return {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
}

}  // namespace okuzuke
