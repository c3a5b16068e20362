#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "text/codepage.h"

namespace okuzuke {

namespace {

// One conversion with glibc iconv. Input that the target cannot hold, or
// that is not valid in the source, is replaced by `replacement` (already in
// the target encoding) and skipped by `skipWidth` source bytes.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // `skipWidth` tells how many source bytes the character at `at` spans.
  template <typename SkipWidth>
  std::string Convert(const char* data, std::size_t size, std::string_view replacement,
                      SkipWidth skipWidth) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(size * 2 + 16);
    char* in = const_cast<char*>(data);
    std::size_t inLeft = size;
    std::size_t used = 0;
    while (inLeft > 0) {
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      used = out.size() - outLeft;
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
      } else {  // EILSEQ or EINVAL (truncated input at the end)
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
        std::memcpy(out.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        std::size_t skip = std::min<std::size_t>(skipWidth(in, inLeft), inLeft);
        in += skip;
        inLeft -= skip;
      }
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

constexpr auto kOneByte = [](const char*, std::size_t) -> std::size_t { return 1; };

}  // namespace

std::string Utf16ToCp932(std::u16string_view text) {
  thread_local Iconv conv("CP932", "UTF-16LE");
  // A surrogate pair is one character and becomes one "?".
  auto width = [](const char* at, std::size_t left) -> std::size_t {
    auto unit = [&](std::size_t i) {
      return static_cast<unsigned>(static_cast<unsigned char>(at[i])) |
             static_cast<unsigned>(static_cast<unsigned char>(at[i + 1])) << 8;
    };
    if (left >= 4 && unit(0) >= 0xD800 && unit(0) <= 0xDBFF && unit(2) >= 0xDC00 &&
        unit(2) <= 0xDFFF)
      return 4;
    return 2;
  };
  return conv.Convert(reinterpret_cast<const char*>(text.data()), text.size() * 2, "?", width);
}

std::u16string Cp932ToUtf16(std::string_view text) {
  thread_local Iconv conv("UTF-16LE", "CP932");
  std::string bytes = conv.Convert(text.data(), text.size(), std::string_view("\xFD\xFF", 2), kOneByte);
  std::u16string out(bytes.size() / 2, u'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

std::string Cp932ToUtf8(std::string_view text) {
  thread_local Iconv conv("UTF-8", "CP932");
  return conv.Convert(text.data(), text.size(), "\xEF\xBF\xBD", kOneByte);
}

std::string Utf8ToCp932(std::string_view text) {
  thread_local Iconv conv("CP932", "UTF-8");
  return conv.Convert(text.data(), text.size(), "?", kOneByte);
}

}  // namespace okuzuke
