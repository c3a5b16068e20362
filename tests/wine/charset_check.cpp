// Checks under Wine that the Windows build converts UTF-8 pages to code page
// 932 byte for byte as the Linux build does (tests/unit/charset_test.cpp holds
// the same expectations). Exits non-zero on any difference.
#include <cstdio>
#include <string>
#include <string_view>

#include "text/charset.h"
#include "text/codepage.h"

namespace {

struct Case {
  std::string_view utf8;
  std::string_view sjis;
};

constexpr Case kCases[] = {
    {"\xE3\x81\x82", "\x82\xA0"},             // あ
    {"\xE3\x80\x9C", "\x81\x60"},             // U+301C WAVE DASH
    {"\xEF\xBD\x9E", "\x81\x60"},             // U+FF5E FULLWIDTH TILDE
    {"\xE2\x80\x96", "\x81\x61"},             // U+2016 DOUBLE VERTICAL LINE
    {"\xE2\x88\x92", "\x81\x7C"},             // U+2212 MINUS SIGN
    {"\xE2\x80\x94", "\x81\x5C"},             // U+2014 EM DASH
    {"\xE2\x80\xBE", "\x7E"},                 // U+203E OVERLINE
    {"\xC2\xA2\xC2\xA3\xC2\xAC", "\x81\x91\x81\x92\x81\xCA"},
    {"\xC2\xA5", "\x5C"},                     // YEN SIGN
    {"caf\xC3\xA9", "cafe"},                  // best fit
    {"\xC2\xAB\xC3\x97", "\x81\xE1\x81\x7E"}, // « ×
    {"\xC2\xA0", "?"},                        // NO-BREAK SPACE
    {"\xE3\x82\x94", "\x83\x94"},             // U+3094
    {"\xF0\x9F\x98\x80!", "?!"},              // one "?" for a surrogate pair
    {"\xED\xA0\x80x", "?x"},                  // a lone surrogate
    {"a\xE3", "a\x81\x40"},                   // cut off: zeros for the missing bytes
    {"a\xC2", "a\x80"},
    {"ab\xC0\x80" "cd", "ab"},
};

// The bytes in hex; of a long text only its length and last bytes.
std::string Hex(std::string_view bytes) {
  std::string out;
  if (bytes.size() > 16) {
    out = "(" + std::to_string(bytes.size()) + " bytes) ...";
    bytes = bytes.substr(bytes.size() - 8);
  }
  char buffer[4];
  for (unsigned char b : bytes) {
    std::snprintf(buffer, sizeof buffer, "%s%02X", out.empty() ? "" : " ", b);
    out += buffer;
  }
  return out.empty() ? "(empty)" : out;
}

}  // namespace

int main() {
  int passed = 0;
  int failed = 0;
  auto check = [&](std::string_view utf8, std::string_view expected) {
    const std::string got = okuzuke::Utf8ToAnsi(utf8);
    if (got == expected) {
      ++passed;
    } else {
      ++failed;
      std::printf("DIFFERENT %s: expected %s, got %s\n", Hex(utf8).c_str(), Hex(expected).c_str(),
                  Hex(got).c_str());
    }
  };
  for (const auto& c : kCases) check(c.utf8, c.sjis);

  // A surrogate pair where the conversion buffer fills up stays one "?".
  for (std::size_t lead = 4090; lead <= 4100; ++lead)
    check(std::string(lead, 'a') + "\xF0\x9F\x98\x80\xE3\x81\x82", std::string(lead, 'a') + "?\x82\xA0");

  // Our own tools' conversion agrees with the page conversion.
  if (okuzuke::Utf8ToCp932("\xE3\x80\x9C") == "\x81\x60") ++passed; else ++failed;

  std::printf("charset_check: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
