// Reading a 10,000-line author dictionary as each encoding a user may save
// it in, against the plain split of Shift-JIS text that was all there was.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "text/codepage.h"
#include "text/sjis.h"
#include "text/user_text.h"

namespace okuzuke {
namespace {

// "|作家N|作家N|サッカN|N|" lines, CR LF, in UTF-8.
const std::string& DictionaryUtf8() {
  static const std::string text = [] {
    std::string lines;
    for (int n = 0; n < 10000; ++n) {
      const std::string number = std::to_string(n);
      lines += "|作家" + number + "|作家" + number + "|サッカ" + number + "|" + number + "|\r\n";
    }
    return lines;
  }();
  return text;
}

std::string Saved(const std::string& encoding) {
  const std::string& utf8 = DictionaryUtf8();
  if (encoding == "utf8") return utf8;
  const std::string sjis = Utf8ToCp932(utf8);
  if (encoding == "sjis") return sjis;
  const std::u16string units = Cp932ToUtf16(sjis);
  std::string bytes = "\xFF\xFE";
  for (char16_t u : units) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

void BM_SplitShiftJis(benchmark::State& state) {
  const std::string bytes = Saved("sjis");
  for (auto _ : state) benchmark::DoNotOptimize(SplitLines(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SplitShiftJis);

void BM_DecodeUserText(benchmark::State& state, const char* encoding) {
  const std::string bytes = Saved(encoding);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeUserText(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK_CAPTURE(BM_DecodeUserText, sjis, "sjis");
BENCHMARK_CAPTURE(BM_DecodeUserText, utf8, "utf8");
BENCHMARK_CAPTURE(BM_DecodeUserText, utf16, "utf16");

}  // namespace
}  // namespace okuzuke
