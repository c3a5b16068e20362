// A catalogue answer of typical size (13 KB, the record inline; and the same
// record packed as escaped text, 15 KB) from its bytes to the Book record.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/catalogue.h"
#include "text/file_io.h"

namespace okuzuke {
namespace {

const std::string& TypicalAnswer() {
  static const std::string answer = ReadWholeFile(OKUZUKE_FIXTURES "/catalogue/typical.xml").value_or("");
  return answer;
}

// The same answer with its rdf:RDF packed as escaped text.
const std::string& PackedAnswer() {
  static const std::string answer = [] {
    const std::string& typical = TypicalAnswer();
    const std::size_t begin = typical.find("<rdf:RDF");
    const std::size_t end = typical.find("</rdf:RDF>") + 10;
    std::string packed = typical.substr(0, begin);
    for (char c : typical.substr(begin, end - begin)) {
      if (c == '<') packed += "&lt;";
      else if (c == '>') packed += "&gt;";
      else if (c == '&') packed += "&amp;";
      else packed += c;
    }
    packed += typical.substr(end);
    const std::size_t packing = packed.find("<recordPacking>xml");
    return packed.replace(packing, 18, "<recordPacking>string");
  }();
  return answer;
}

void Answer(benchmark::State& state, const std::string& answer) {
  TBase book;
  const Dictionary authors;
  for (auto _ : state) {
    int found = catalogue::RecordFromAnswer(answer, "9784000000019", book, authors);
    benchmark::DoNotOptimize(found);
    if (found != 1) state.SkipWithError("no record");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
}

void BM_CatalogueAnswerInline(benchmark::State& state) { Answer(state, TypicalAnswer()); }
void BM_CatalogueAnswerPacked(benchmark::State& state) { Answer(state, PackedAnswer()); }
BENCHMARK(BM_CatalogueAnswerInline);
BENCHMARK(BM_CatalogueAnswerPacked);

}  // namespace
}  // namespace okuzuke
