// A batch's answer: fifty records of typical size (about 700 KB, inline),
// each for its own ISBN, from the bytes to the fifty Book records.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/catalogue.h"
#include "text/file_io.h"

namespace okuzuke {
namespace {

std::string NthIsbn(int n) {
  std::string isbn = "978410" + std::to_string(100000 + n);
  int sum = 0;
  for (std::size_t i = 0; i < 12; ++i) sum += (isbn[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return isbn + static_cast<char>('0' + (10 - sum % 10) % 10);
}

// The typical answer's record fifty times, the n-th naming the n-th ISBN.
std::string FiftyRecordAnswer(const std::vector<std::string>& isbns) {
  const std::string typical = ReadWholeFile(OKUZUKE_FIXTURES "/catalogue/typical.xml").value_or("");
  const std::size_t begin = typical.find("<record>"), end = typical.rfind("</record>") + 9;
  const std::string record = typical.substr(begin, end - begin);
  std::string answer = typical.substr(0, begin);
  for (const std::string& isbn : isbns) {
    std::string copy = record;
    copy.replace(copy.find("978-4-00-000001-9"), 17, isbn);
    answer += copy;
  }
  return answer + typical.substr(end);
}

void BM_CatalogueFiftyRecordAnswer(benchmark::State& state) {
  std::vector<std::string> isbns;
  for (int n = 0; n < 50; ++n) isbns.push_back(NthIsbn(n));
  const std::string answer = FiftyRecordAnswer(isbns);
  const Dictionary authors;
  for (auto _ : state) {
    catalogue::Candidates chosen;
    catalogue::ReadAnswer(answer, isbns, authors, chosen);
    if (chosen.size() != 50) state.SkipWithError("not fifty records");
    benchmark::DoNotOptimize(chosen);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(BM_CatalogueFiftyRecordAnswer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace okuzuke
