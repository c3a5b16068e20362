// Credit parsing and author assignment against a 10,000-line author dictionary.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "text/codepage.h"
#include "text/credits.h"
#include "text/dictionaries.h"
#include "text/file_io.h"

namespace okuzuke {
namespace {

struct Credit {
  const char* text;  // UTF-8
  const char* separator;
  const char* subSeparator;
};

// Realistic lines: two roles, a bracket reading, linked names, a long list.
const Credit kCredits[] = {
    {"原作：山田太郎　漫画：佐藤花子", "　", ""},
    {"監修：田中一郎／著：鈴木次郎［すずきじろう］", "／", ""},
    {"<a href=\"/a/1\">高橋三郎</a>、<a href=\"/a/2\">伊藤四郎</a>、<a href=\"/a/3\">渡辺五郎</a>",
     "、", ""},
    {"編：山田太郎、佐藤花子、田中一郎、鈴木次郎、高橋三郎、伊藤四郎 ほか", "Dummy", "、"},
};

constexpr int kDictionaryLines = 10000;

// A folder of the benchmark's own for the dictionary file, removed at exit.
const std::string& DictionaryFolder() {
  static const struct Folder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("okuzuke_credits_bench_" + std::to_string(std::random_device{}()));
    std::string text = (std::filesystem::create_directories(path), path.string() + "/");
    ~Folder() { std::filesystem::remove_all(path); }
  } folder;
  return folder.text;
}

// "|作家N|作家N|サッカN|N|" lines, with the names of the credits above near
// the end, where a substring search finds them last.
const Dictionary& AuthorDictionary() {
  static const Dictionary authors = [] {
    std::vector<std::string> lines;
    lines.reserve(kDictionaryLines);
    for (int n = 0; n < kDictionaryLines - 6; ++n) {
      std::string number = std::to_string(n);
      lines.push_back(Utf8ToCp932("|作家" + number + "|作家" + number + "|サッカ" + number + "|" +
                                  number + "|"));
    }
    for (const char* line : {"|山田太郎|山田太郎|ヤマダタロウ|1|", "|佐藤花子|佐藤花子|サトウハナコ|2|",
                             "|田中一郎|田中一郎|タナカイチロウ|3|", "|鈴木次郎|鈴木次郎|スズキジロウ|4|",
                             "|高橋三郎|高橋三郎|タカハシサブロウ|5|", "|伊藤四郎|伊藤四郎|イトウシロウ|6|"}) {
      lines.push_back(Utf8ToCp932(line));
    }
    SaveLines(DictionaryFolder() + "AuthDB.dat", lines);
    Dictionary loaded;
    LoadAuthorDictionary(loaded, DictionaryFolder());
    return loaded;
  }();
  return authors;
}

void BM_ParseAndAssign(benchmark::State& state, bool withDictionary) {
  const Credit& credit = kCredits[state.range(0)];
  const std::string text = Utf8ToCp932(credit.text);
  const std::string separator = Utf8ToCp932(credit.separator);
  const std::string subSeparator = Utf8ToCp932(credit.subSeparator);
  const Dictionary empty;
  const Dictionary& authors = withDictionary ? AuthorDictionary() : empty;
  for (auto _ : state) {
    CreditList list(true);
    ParseAuthorCredits(list, text, separator, separator, subSeparator);
    TBase book;
    AssignAuthors(book, list, authors, true, true, true, "");
    benchmark::DoNotOptimize(book.Author1);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ParseAuthorCredits(benchmark::State& state) {
  const Credit& credit = kCredits[state.range(0)];
  const std::string text = Utf8ToCp932(credit.text);
  const std::string separator = Utf8ToCp932(credit.separator);
  const std::string subSeparator = Utf8ToCp932(credit.subSeparator);
  for (auto _ : state) {
    CreditList list(true);
    benchmark::DoNotOptimize(ParseAuthorCredits(list, text, separator, separator, subSeparator));
  }
}

void BM_LookupAuthorMiss(benchmark::State& state) {
  const Dictionary& authors = AuthorDictionary();
  const std::string name = Utf8ToCp932("未登録の名前");
  for (auto _ : state) benchmark::DoNotOptimize(LookupAuthor(authors, name));
}

// What each code of a run pays for the author dictionary when the file did
// not change since the last code: a look at its stamp.
void BM_ReloadUnchangedDictionary(benchmark::State& state) {
  Dictionary authors = AuthorDictionary();
  for (auto _ : state) benchmark::DoNotOptimize(LoadAuthorDictionary(authors, DictionaryFolder()));
}

BENCHMARK(BM_ParseAuthorCredits)->DenseRange(0, 3);
BENCHMARK(BM_ReloadUnchangedDictionary);
BENCHMARK_CAPTURE(BM_ParseAndAssign, no_dictionary, false)->DenseRange(0, 3);
BENCHMARK_CAPTURE(BM_ParseAndAssign, authdb_10000, true)->DenseRange(0, 3);
BENCHMARK(BM_LookupAuthorMiss);

}  // namespace
}  // namespace okuzuke
