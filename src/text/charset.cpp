#include "text/charset.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/codepage.h"

namespace okuzuke {

namespace {

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
  out.resize(Utf8PageToCp932(utf8, out.data()));
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
  text.resize(Utf8PageToCp932(std::string_view(text.data(), size), text.data()));
}

void Utf8BomToAnsiInPlace(std::string& text) {
  const std::size_t size = text.size();
  text.push_back('\0');
  text.resize(Utf8PageToCp932(WithoutByteOrderMark(std::string_view(text.data(), size)), text.data()));
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
