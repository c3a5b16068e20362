// Shift-JIS text written as it reads: "定価"_sjis is the code page 932 bytes
// of the UTF-8 source text, converted while compiling. The result is a
// std::string_view over static storage with a 0 byte after its end (so
// .data() also serves as a C string), usable in constexpr tables.
//
// A text that code page 932 cannot hold, or that is not valid UTF-8, does not
// compile: the conversion stops at a throw, which no constant evaluation may
// reach.
//
// In a table: {"定価"_sjis, ...}; in a call: Contains(line, "定価"_sjis); as a
// std::string: std::string("定価"_sjis) (a std::string_view does not add to a
// std::string with +).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace okuzuke {

namespace sjis_literal {

static_assert(static_cast<unsigned char>("\u3042"[0]) == 0xE3,
              "the sources' narrow literals must be UTF-8 (-fexec-charset=UTF-8)");

// UTF-16 unit << 16 | code page 932 code, sorted by unit.
inline constexpr std::uint32_t kUnicodeToCp932[] = {
#include "text/cp932_table.inc"
};

// The code page 932 code of a code point: one byte (< 0x100) or lead << 8 |
// trail.
constexpr std::uint16_t Cp932Code(char32_t point) {
  if (point < 0x80) return static_cast<std::uint16_t>(point);
  std::size_t low = 0, high = std::size(kUnicodeToCp932);
  while (low < high) {
    std::size_t mid = (low + high) / 2;
    std::uint32_t unit = kUnicodeToCp932[mid] >> 16;
    if (unit == point) return static_cast<std::uint16_t>(kUnicodeToCp932[mid] & 0xFFFF);
    if (unit < point) low = mid + 1;
    else high = mid;
  }
  throw "a character in this _sjis literal has no code page 932 form";
}

// The source text, as a template argument.
template <std::size_t N>
struct Utf8Text {
  char bytes[N]{};
  consteval Utf8Text(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
  static constexpr std::size_t size = N - 1;  // without the closing 0
};

// Decodes one UTF-8 character at `at`, moving `at` past it.
template <std::size_t N>
constexpr char32_t NextPoint(const Utf8Text<N>& text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text.bytes[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead < 0x80                  ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
  if (length == 0 || at + length > Utf8Text<N>::size) throw "this _sjis literal is not valid UTF-8";
  char32_t point = lead & (0x7F >> (length == 1 ? 0 : length));
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) throw "this _sjis literal is not valid UTF-8";
    point = point << 6 | (byte(at + k) & 0x3F);
  }
  at += length;
  return point;
}

template <std::size_t N>
constexpr std::size_t ShiftJisSize(const Utf8Text<N>& text) {
  std::size_t size = 0;
  for (std::size_t at = 0; at < Utf8Text<N>::size;) size += Cp932Code(NextPoint(text, at)) > 0xFF ? 2 : 1;
  return size;
}

template <Utf8Text Text>
constexpr auto ToShiftJis() {
  std::array<char, ShiftJisSize(Text) + 1> out{};
  std::size_t size = 0;
  for (std::size_t at = 0; at < Text.size;) {
    std::uint16_t code = Cp932Code(NextPoint(Text, at));
    if (code > 0xFF) out[size++] = static_cast<char>(code >> 8);
    out[size++] = static_cast<char>(code & 0xFF);
  }
  return out;
}

// One static array per distinct text, and a view of it. Being constexpr
// variables, both are computed while compiling however the literal is used.
template <Utf8Text Text>
inline constexpr auto kShiftJis = ToShiftJis<Text>();
template <Utf8Text Text>
inline constexpr std::string_view kShiftJisView{kShiftJis<Text>.data(), kShiftJis<Text>.size() - 1};

}  // namespace sjis_literal

// A reference to the literal's view (not a temporary view): clang 14 crashes
// when it prints a temporary made by a literal operator template in a
// diagnostic note, which it builds while trying a local variable's
// initializer as a constant.
template <sjis_literal::Utf8Text Text>
constexpr const std::string_view& operator""_sjis() {
  return sjis_literal::kShiftJisView<Text>;
}

}  // namespace okuzuke
