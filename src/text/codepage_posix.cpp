// Code page 932 through glibc iconv, made to give the same bytes as the
// Windows build (codepage_win32.cpp), so that pages convert alike on both:
// Windows' best-fit folding of Latin-1, and the JIS forms of WAVE DASH and its
// kin, which glibc already maps. Text is converted through a table of every
// unit's bytes, made once with iconv.
#include <errno.h>
#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "text/codepage.h"
#include "text/utf8_decoding.h"

namespace okuzuke {

namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts `size` bytes into `out` (appending). Where the source is invalid or
  // the target cannot hold a character, `onError(at, left, out)` appends a
  // replacement and returns how many source bytes to skip (at least one).
  template <typename OnError>
  void Append(const char* data, std::size_t size, std::string& out, OnError onError) {
    char* in = const_cast<char*>(data);
    std::size_t inLeft = size;
    std::size_t used = out.size();
    out.resize(used + size * 2 + 16);
    while (inLeft > 0) {
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      used = out.size() - outLeft;
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      out.resize(used);  // EILSEQ, or EINVAL for a character cut off at the end
      std::size_t skip = onError(in, inLeft, out);
      used = out.size();
      if (skip > inLeft) skip = inLeft;
      in += skip;
      inLeft -= skip;
      out.resize(used + inLeft * 2 + 16);
    }
    out.resize(used);
  }

  // A run of BMP units that are neither ASCII nor surrogates, written to
  // `dst`, which has room for two bytes per unit. A character code page 932
  // lacks becomes "?". Returns the new end of `dst`.
  char* ConvertRun(const char16_t* units, std::size_t count, char* dst) {
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units));
    std::size_t inLeft = count * 2;
    std::size_t outLeft = count * 2;
    while (inLeft > 0) {
      if (iconv(cd_, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) throw std::logic_error("code page 932 output exceeds two bytes a unit");
      *dst++ = '?';
      --outLeft;
      in += 2;
      inLeft -= 2;
    }
    return dst;
  }

 private:
  iconv_t cd_;
};

// What WideCharToMultiByte(932) writes for U+0080..U+00FF: Latin-1 letters
// fold to their base letters, signs to their full-width look-alikes ("?" for
// the rest). glibc rejects most of these.
constexpr std::array<std::uint16_t, 128> kLatin1ToCp932 = {
    0x80,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,    // U+0080
    0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,    // U+0088
    0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,    // U+0090
    0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,   0x3F,    // U+0098
    0x3F,   0x21,   0x8191, 0x8192, 0x3F,   0x5C,   0x7C,   0x8198,  // U+00A0
    0x814E, 0x63,   0x61,   0x81E1, 0x81CA, 0x2D,   0x52,   0x8150,  // U+00A8
    0x818B, 0x817D, 0x32,   0x33,   0x814C, 0x83CA, 0x81F7, 0x8145,  // U+00B0
    0x8143, 0x31,   0x6F,   0x81E2, 0x3F,   0x3F,   0x3F,   0x3F,    // U+00B8
    0x41,   0x41,   0x41,   0x41,   0x41,   0x41,   0x41,   0x43,    // U+00C0
    0x45,   0x45,   0x45,   0x45,   0x49,   0x49,   0x49,   0x49,    // U+00C8
    0x44,   0x4E,   0x4F,   0x4F,   0x4F,   0x4F,   0x4F,   0x817E,  // U+00D0
    0x4F,   0x55,   0x55,   0x55,   0x55,   0x59,   0x54,   0x73,    // U+00D8
    0x61,   0x61,   0x61,   0x61,   0x61,   0x61,   0x61,   0x63,    // U+00E0
    0x65,   0x65,   0x65,   0x65,   0x69,   0x69,   0x69,   0x69,    // U+00E8
    0x64,   0x6E,   0x6F,   0x6F,   0x6F,   0x6F,   0x6F,   0x8180,  // U+00F0
    0x6F,   0x75,   0x75,   0x75,   0x75,   0x79,   0x74,   0x79,    // U+00F8
};

bool IsSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }

// The code page 932 bytes for a unit that must not go to iconv (Latin-1, and
// the few Windows mappings glibc lacks), or -1.
int FixedCp932(char16_t u) {
  if (u < 0x80) return u;
  if (u < 0x100) return kLatin1ToCp932[u - 0x80];
  if (u == 0x3094) return 0x8394;  // hiragana vu as katakana vu
  // The private-use units Windows keeps for the single bytes A0, FD, FE, FF.
  constexpr std::array<std::uint16_t, 4> kPrivateUse = {0xA0, 0xFD, 0xFE, 0xFF};
  if (u >= 0xF8F0 && u <= 0xF8F3) return kPrivateUse[u - 0xF8F0];
  return -1;
}

// What the conversion gives for each unit of the Basic Multilingual Plane
// but the surrogates: one byte (< 0x100) or lead << 8 | trail. Each unit is
// converted the slow way (iconv) the first time it is met and looked up
// after that, so a page's characters are not handed to iconv run by run.
class UnitTable {
 public:
  UnitTable() : codes_(0x10000, kUnknown), conv_("CP932", "UTF-16LE") {}

  std::uint16_t operator[](char16_t unit) {
    std::uint16_t& code = codes_[unit];
    if (code == kUnknown) code = Convert(unit);
    return code;
  }

  // The table itself, for a loop that looks up many units: kUnknown marks a
  // unit not yet converted, which Fill converts.
  static constexpr std::uint16_t kUnknown = 0xFFFF;  // no character has these bytes
  std::uint16_t* Codes() { return codes_.data(); }
  std::uint16_t Fill(char16_t unit) { return codes_[unit] = Convert(unit); }

 private:

  std::uint16_t Convert(char16_t unit) {
    if (int fixed = FixedCp932(unit); fixed >= 0) return static_cast<std::uint16_t>(fixed);
    char bytes[2];
    const std::size_t n = static_cast<std::size_t>(conv_.ConvertRun(&unit, 1, bytes) - bytes);
    return n == 2 ? static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                               static_cast<unsigned char>(bytes[1]))
                  : static_cast<unsigned char>(bytes[0]);
  }

  std::vector<std::uint16_t> codes_;
  Iconv conv_;
};

UnitTable& Cp932Units() {
  thread_local UnitTable table;
  return table;
}

}  // namespace

std::string Utf16ToCp932(std::u16string_view text) {
  UnitTable& units = Cp932Units();
  const std::size_t size = text.size();
  std::string out(size * 2, '\0');  // no unit gives more than two bytes
  char* dst = out.data();
  std::size_t i = 0;
  while (i < size) {
    const char16_t u = text[i];
    if (u < 0x80) {
      *dst++ = static_cast<char>(u);
      ++i;
    } else if (IsSurrogate(u)) {
      // Code page 932 has nothing outside the BMP: a pair, or a stray half, is one "?".
      const bool pair = u <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      *dst++ = '?';
      i += pair ? 2 : 1;
    } else {
      const std::uint16_t code = units[u];
      if (code > 0xFF) *dst++ = static_cast<char>(code >> 8);
      *dst++ = static_cast<char>(code & 0xFF);
      ++i;
    }
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

namespace {

// Copies `n` bytes to `dst`, which is at or before `src`: the short runs of
// ASCII between Japanese words without a call, each piece read before any is
// written.
// The first and last `sizeof(Word)` bytes of `n` (Word <= n <= 2 Word), both
// read before either is written.
template <typename Word>
void MoveHeadAndTail(char* dst, const char* src, std::size_t n) {
  Word head, tail;
  std::memcpy(&head, src, sizeof head);
  std::memcpy(&tail, src + n - sizeof tail, sizeof tail);
  std::memcpy(dst, &head, sizeof head);
  std::memcpy(dst + n - sizeof tail, &tail, sizeof tail);
}

void MoveDown(char* dst, const char* src, std::size_t n) {
  if (dst == src) return;
  if (n > 16) {
    std::memmove(dst, src, n);
  } else if (n >= 8) {
    MoveHeadAndTail<std::uint64_t>(dst, src, n);
  } else if (n >= 4) {
    MoveHeadAndTail<std::uint32_t>(dst, src, n);
  } else {
    for (std::size_t k = 0; k < n; ++k) dst[k] = src[k];
  }
}

}  // namespace

// Each code point is looked up on its own, with no UTF-16 in between. A
// surrogate code point stands for a UTF-16 unit, as if the units were
// converted together: a high one followed by a low one is one "?".
std::size_t Utf8PageToCp932(std::string_view utf8, char* out) {
  UnitTable& units = Cp932Units();
  // Held here, not reloaded from the table after every byte written.
  std::uint16_t* const codes = units.Codes();
  char* dst = out;
  bool afterHigh = false;
  DecodeUtf8(
      utf8,
      [&](char32_t code) {
        if (code - 0xD800u >= 0x800u && code < 0x10000u) [[likely]] {  // no surrogate, in the BMP
          std::uint16_t bytes = codes[code];
          if (bytes == UnitTable::kUnknown) [[unlikely]]
            bytes = units.Fill(static_cast<char16_t>(code));
          // Both bytes written, the second kept only for a double-byte
          // character: never past what was read (two or three bytes, or the
          // room left for a sequence cut off by the end).
          const unsigned twoBytes = bytes > 0xFF;
          dst[0] = static_cast<char>(bytes >> (8 * twoBytes));
          dst[1] = static_cast<char>(bytes & 0xFF);
          dst += 1 + twoBytes;
          afterHigh = false;
          return;
        }
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        // A low half after a high one has its "?" already.
        if (code >= 0x10000 || !(afterHigh && !high)) *dst++ = '?';
        afterHigh = high;
      },
      [&](std::string_view ascii) {
        MoveDown(dst, ascii.data(), ascii.size());
        dst += ascii.size();
        afterHigh = false;
      });
  return static_cast<std::size_t>(dst - out);
}

std::u16string Cp932ToUtf16(std::string_view text) {
  thread_local Iconv conv("UTF-16LE", "CP932");
  std::string bytes;
  conv.Append(text.data(), text.size(), bytes, [](const char* at, std::size_t, std::string& out) {
    // Windows reads a lone 0x80 as U+0080; anything else undecodable is U+FFFD.
    out.append(static_cast<unsigned char>(*at) == 0x80 ? std::string_view("\x80\x00", 2)
                                                       : std::string_view("\xFD\xFF", 2));
    return std::size_t{1};
  });
  std::u16string out(bytes.size() / 2, u'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

std::string Cp932ToUtf8(std::string_view text) {
  thread_local Iconv conv("UTF-8", "UTF-16LE");
  std::u16string wide = Cp932ToUtf16(text);
  std::string out;
  conv.Append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2, out,
              [](const char*, std::size_t, std::string& o) {
                o.append("\uFFFD");
                return std::size_t{2};
              });
  return out;
}

std::string Utf8ToCp932(std::string_view text) {
  thread_local Iconv conv("UTF-16LE", "UTF-8");
  std::string bytes;
  conv.Append(text.data(), text.size(), bytes, [](const char*, std::size_t, std::string& out) {
    out.append("\xFD\xFF", 2);  // U+FFFD, which becomes "?"
    return std::size_t{1};
  });
  std::u16string wide(bytes.size() / 2, u'\0');
  std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
  return Utf16ToCp932(wide);
}

}  // namespace okuzuke
