// Tag removal and half-width folding on page-sized texts.
#include <benchmark/benchmark.h>

#include <string>

#include "text/halfwidth.h"
#include "text/markup.h"

namespace {

// A catalogue-like page: table rows of markup around short Shift-JIS values,
// a comment and entities now and then.
std::string RealisticPage(std::size_t size) {
  const std::string row =
      "<tr><td class=\"label\">\x8F\x91\x96\xBC</td>"        // 書名
      "<td class=\"value\"><a href=\"/book/detail?id=42\">"
      "\x83\x68\x83\x89\x83\x53\x83\x93&nbsp;\x91\xE6\x82\x50\x8A\xAA"  // ドラゴン 第１巻
      "</a></td></tr>\r\n"
      "<!-- price -->\r\n"
      "<tr><td>\x89\xBF\x8A\x69</td><td>420&lt;\x89\x7E&gt;</td></tr>\r\n";  // 価格, 円
  std::string page = "<html><head><title>x</title></head><body><table>\r\n";
  while (page.size() < size) page += row;
  return page + "</table></body></html>\r\n";
}

std::string TagPage(std::size_t size) {
  const std::string cell = "<td class=\"c\"><span><a href=\"/x?y=1\">cell</a></span></td>";
  std::string page;
  while (page.size() < size) page += cell;
  return page;
}

std::string KatakanaText(std::size_t size) {
  // ドラゴンボール　第１巻 ガイドブック（ＡＢＣ）
  const std::string piece =
      "\x83\x68\x83\x89\x83\x53\x83\x93\x83\x7B\x81\x5B\x83\x8B\x81\x40\x91\xE6\x82\x50\x8A\xAA"
      " \x83\x4B\x83\x43\x83\x68\x83\x75\x83\x62\x83\x4E\x81\x69\x82\x60\x82\x61\x82\x62\x81\x6A";
  std::string text;
  while (text.size() < size) text += piece;
  return text;
}

void BM_StripMarkupTagPage10MB(benchmark::State& state) {
  const std::string page = TagPage(10 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(okuzuke::StripMarkup(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_StripMarkupTagPage10MB)->Unit(benchmark::kMillisecond);

void BM_StripMarkupRealisticPage100KB(benchmark::State& state) {
  const std::string page = RealisticPage(100 << 10);
  for (auto _ : state) benchmark::DoNotOptimize(okuzuke::StripMarkup(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_StripMarkupRealisticPage100KB)->Unit(benchmark::kMicrosecond);

void BM_ToHalfWidth100KB(benchmark::State& state) {
  const std::string text = KatakanaText(100 << 10);
  for (auto _ : state) benchmark::DoNotOptimize(okuzuke::ToHalfWidth(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ToHalfWidth100KB)->Unit(benchmark::kMicrosecond);

}  // namespace
