// Title normalisation and the conversion of whole pages served in EUC-JP or
// UTF-8.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/charset.h"
#include "text/codepage.h"
#include "text/record.h"
#include "text/title.h"

namespace okuzuke {
namespace {

// One product block of a publisher's catalogue page: mostly markup, some
// Japanese text (UTF-8).
constexpr const char* kProductBlock = R"(<div class="book-detail" id="item-%d">
  <h2 class="title"><a href="/books/detail.php?isbn=978-4-0000-%d-3">空色の図書館 第%d巻</a></h2>
  <table class="bookdata" summary="書誌情報">
    <tr><th scope="row">著者</th><td><a href="/author/?id=%d">原作：山田太郎　漫画：佐藤花子</a></td></tr>
    <tr><th scope="row">発売日</th><td>2024年3月%d日</td></tr>
    <tr><th scope="row">定価</th><td>528円（税込）</td></tr>
    <tr><th scope="row">判型</th><td>B6判変型</td></tr>
    <tr><th scope="row">ページ数</th><td>192ページ</td></tr>
  </table>
  <p class="description">街はずれの古い図書館で、少女は一冊の本と出会う。〜静かな時間が流れる、心温まる物語の第%d巻！〜</p>
  <img src="/images/cover/%d.jpg" width="120" height="170" alt="表紙">
</div>
)";

std::string Utf8Page(std::size_t bytes) {
  std::string page = "<html><head><meta charset=\"UTF-8\"><title>新刊案内</title></head><body>\n";
  for (int i = 1; page.size() < bytes; ++i) {
    char block[2048];
    std::snprintf(block, sizeof block, kProductBlock, i, i, i, i, i % 28 + 1, i, i);
    page += block;
  }
  return page;
}

std::string IconvWhole(const char* to, const char* from, const std::string& text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::string out(text.size() * 2, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("iconv");
  out.resize(out.size() - outLeft);
  return out;
}

constexpr std::size_t kPageBytes = 100 * 1024;

void BM_Utf8ToAnsi(benchmark::State& state) {
  const std::string page = Utf8Page(kPageBytes);
  for (auto _ : state) benchmark::DoNotOptimize(Utf8ToAnsi(page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_Utf8ToAnsi)->Unit(benchmark::kMicrosecond);

void BM_EucToSjis(benchmark::State& state) {
  const std::string page = IconvWhole("EUC-JP", "UTF-8", Utf8Page(kPageBytes));
  for (auto _ : state) benchmark::DoNotOptimize(EucToSjis(page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_EucToSjis)->Unit(benchmark::kMicrosecond);

// For comparison: glibc's own UTF-8 to code page 932 in one call.
void BM_IconvUtf8ToCp932Baseline(benchmark::State& state) {
  const std::string page = Utf8Page(kPageBytes);
  for (auto _ : state) benchmark::DoNotOptimize(IconvWhole("CP932", "UTF-8", page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_IconvUtf8ToCp932Baseline)->Unit(benchmark::kMicrosecond);

void BM_NormalizeTitle(benchmark::State& state) {
  const char* raw[] = {
      "空色の図書館（３）",
      "空色の図書館 第12巻 (特装版)",
      "ＡＢＣ　ｖｏｌ．５〈新装版〉",
      "星降る夜の物語 上",
      "魔法使いの弟子 Vol.IV",
      "海辺の町で (外伝 (2)) 限定版",
  };
  std::vector<std::string> titles;
  for (const char* title : raw) titles.push_back(Utf8ToCp932(title));
  for (auto _ : state) {
    for (const auto& title : titles) {
      TBase book;
      benchmark::DoNotOptimize(NormalizeTitle(book, title));
      benchmark::DoNotOptimize(book.Title);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * titles.size()));
}
BENCHMARK(BM_NormalizeTitle);

}  // namespace
}  // namespace okuzuke
