// Each built publisher scraper on its book page as saved, and on the same
// page padded to about 100 KB with a long related-titles list ahead of the
// book's details, conversion from the served encoding included.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "publishers/registry.h"
#include "text/dictionaries.h"
#include "text/file_io.h"
#include "text/file_read.h"
#include "text/record.h"

namespace okuzuke {
namespace {

const char* const kKeys[] = {"shogakukan", "shueisha", "maggarden", "houbunsha", "ohzora",
                             "mediafactory", "enterbrain", "futabasha", "asciimw", "akita", "wani", "gakken",
                             "sbook", "kodansha", "kadokawa", "mediafactory-old"};

std::string Convert(const std::string& utf8, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter");
  std::string in = utf8, out(utf8.size() * 2 + 16, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// One related-title line in the encoding the publisher's site serves.
std::string FillerLine(const std::string& key, int n) {
  std::string line = "\t\t<li><a href=\"/comics/detail?id=" + std::to_string(10000 + n) + "\">関連タイトル　第" +
                     std::to_string(n % 40 + 1) +
                     "巻</a>&nbsp;<span class=\"note\">好評発売中・シリーズ続刊</span></li>\n";
  if (key == "shueisha" || key == "enterbrain" || key == "akita" || key == "gakken" || key == "sbook" ||
      key == "kadokawa")
    return Convert(line, "CP932");
  if (key == "houbunsha" || key == "ohzora" || key == "mediafactory" || key == "mediafactory-old")
    return Convert(line, "EUC-JP");
  return line;
}

std::string Filler(const std::string& key, std::size_t bytes) {
  std::string block;  // forty lines made once, repeated as often as needed
  for (int n = 0; n < 40; ++n) block += FillerLine(key, n);
  std::string lines;
  lines.reserve(bytes + block.size());
  while (lines.size() < bytes) lines += block;
  return lines;
}

std::string BookPage(const std::string& key) {
  auto page = ReadWholeFile(std::string(OKUZUKE_FIXTURES) + "/pages/" + key + "/book.html");
  if (!page) throw std::runtime_error("missing fixture for " + key);
  return *page;
}

// The book page with filler after its "<body" (or "<BODY") line, to about
// `size` bytes.
std::string PaddedPage(const std::string& key, std::size_t size) {
  std::string page = BookPage(key);
  std::size_t bodyTag = page.find("<body");
  if (bodyTag == std::string::npos) bodyTag = page.find("<BODY");
  if (bodyTag == std::string::npos) throw std::runtime_error("no body in the fixture for " + key);
  std::size_t body = page.find('\n', bodyTag) + 1;
  return page.substr(0, body) + Filler(key, size - page.size()) + page.substr(body);
}

void ScrapePage(benchmark::State& state, const std::string& key, const std::string& page) {
  std::string path = (std::filesystem::temp_directory_path() / ("okuzuke-bench-" + key + ".html")).string();
  WriteWholeFile(path, page);
  const ScraperEntry& scraper = *FindScraper(key);
  Dictionary authors;
  const bool stop = false;
  TBase book;
  PageBuffers buffers;  // kept from page to page, as a run keeps them
  for (auto _ : state) {
    ClearBookRecord(book);
    ScrapeContext ctx{book, authors, stop, nullptr, &buffers};
    if (scraper.scrape(path, ctx) != 1) state.SkipWithError("book not found");
    benchmark::DoNotOptimize(book.Title.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["page_bytes"] = static_cast<double>(page.size());
  std::remove(path.c_str());
}

// What a scrape of a page file spends before any rule runs, almost all of it
// in the kernel: the page read into a kept buffer and the test for its
// private marker. The book-page figures cannot go below this.
void PageFileFloor(benchmark::State& state, const std::string& key) {
  std::string path = (std::filesystem::temp_directory_path() / ("okuzuke-bench-floor-" + key + ".html")).string();
  WriteWholeFile(path, BookPage(key));
  const std::string marker = path + ".pelmar_private";
  std::string buffer;
  for (auto _ : state) {
    if (!ReadWholeFileInto(path, buffer)) state.SkipWithError("page not read");
    benchmark::DoNotOptimize(FileExists(marker));
  }
  std::remove(path.c_str());
}

// The most memory one scrape of a page of about 100 MB takes beyond what the
// process held before, per byte of the page: measured in a child process of
// its own, so that nothing else the benchmark holds is counted.
void PeakMemory(benchmark::State& state, const std::string& key) {
  const std::size_t size = 100u << 20;
  std::string path = (std::filesystem::temp_directory_path() / ("okuzuke-bench-big-" + key + ".html")).string();
  WriteWholeFile(path, PaddedPage(key, size));
  double perByte = 0;
  for (auto _ : state) {
    int pipe[2];
    if (::pipe(pipe) != 0) state.SkipWithError("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe[0]);
      long before = 0;  // resident kilobytes now
      if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        long total = 0, resident = 0;
        if (std::fscanf(statm, "%ld %ld", &total, &resident) == 2) before = resident * (::sysconf(_SC_PAGESIZE) / 1024);
        std::fclose(statm);
      }
      TBase book;
      Dictionary authors;
      const bool stop = false;
      ScrapeContext ctx{book, authors, stop};
      const int found = FindScraper(key)->scrape(path, ctx);
      rusage usage{};
      ::getrusage(RUSAGE_SELF, &usage);
      const long peak = found == 1 ? usage.ru_maxrss - before : -1;
      (void)!::write(pipe[1], &peak, sizeof peak);
      ::_exit(0);
    }
    ::close(pipe[1]);
    long peak = -1;
    (void)!::read(pipe[0], &peak, sizeof peak);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    if (peak < 0) state.SkipWithError("book not found");
    perByte = static_cast<double>(peak) * 1024 / static_cast<double>(size);
  }
  state.counters["peak_per_page_byte"] = perByte;
  std::remove(path.c_str());
}

void RegisterAll() {
  for (std::string key : kKeys) {
    benchmark::RegisterBenchmark(("BookPage/" + key).c_str(),
                                 [key](benchmark::State& state) { ScrapePage(state, key, BookPage(key)); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Page100K/" + key).c_str(), [key](benchmark::State& state) {
      ScrapePage(state, key, PaddedPage(key, 100 * 1024));
    })->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("BookPageFileFloor/akita",
                               [](benchmark::State& state) { PageFileFloor(state, "akita"); })
      ->Unit(benchmark::kMicrosecond);
  // One publisher of each served encoding.
  for (std::string key : {"shueisha", "ohzora", "kodansha", "shogakukan"})
    benchmark::RegisterBenchmark(("PeakMemory100M/" + key).c_str(),
                                 [key](benchmark::State& state) { PeakMemory(state, key); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

const int kRegistered = (RegisterAll(), 0);

}  // namespace
}  // namespace okuzuke
