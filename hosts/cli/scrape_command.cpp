// okuzuke scrape KEY PAGE-FILE [--dict DIR] [--trace]: runs one publisher's
// scraper on a saved page (in the encoding the site serves) and prints the
// result and the fields it filled; --trace also shows, rule by rule, the
// lines it fired on and what it stored. okuzuke scrape --list: the keys.
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

#include "cli/display.h"
#include "commands.h"
#include "publishers/registry.h"
#include "scraping/scrape_report.h"
#include "scraping/scraper.h"
#include "text/codepage.h"
#include "text/dictionaries.h"
#include "text/file_io.h"

namespace okuzuke::cli {

namespace {

constexpr const char* kUsage =
    "usage: okuzuke scrape KEY PAGE-FILE [--dict DIR] [--trace]\n"
    "       okuzuke scrape --list\n"
    "Runs the scraper KEY on a saved page (in the encoding its site serves) and prints the\n"
    "result (1: found) and every field it filled, in UTF-8.\n"
    "\n"
    "  --dict DIR  read the author dictionary AuthDB.dat from DIR\n"
    "  --trace     then, for every rule in table order, the page lines (1-based) it fired on\n"
    "              and the value it stored there, and the rules that never fired\n"
    "  --list      the keys of the scrapers\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

// Collects what each rule did, and prints it in table order.
class Trace final : public ScrapeObserver {
 public:
  void Rules(const std::vector<RuleInfo>& rules) override {
    rules_ = rules;
    fired_.assign(rules.size(), {});
  }
  void Fired(std::size_t rule, std::ptrdiff_t line, std::string_view value) override {
    if (rule < fired_.size()) fired_[rule].push_back({line, std::string(value)});
  }

  void Print(std::ostream& out) const {
    out << "\ntrace: " << rules_.size() << " rules\n";
    std::vector<std::size_t> silent;
    for (std::size_t r = 0; r < rules_.size(); ++r) {
      out << Heading(r) << '\n';
      if (fired_[r].empty()) silent.push_back(r);
      for (const auto& [line, value] : fired_[r])
        out << "    line " << line + 1 << ": " << Shortened(FieldValueForDisplay(value)) << '\n';
    }
    out << "never fired:" << (silent.empty() ? " none" : "") << '\n';
    for (std::size_t r : silent) out << Heading(r) << '\n';
  }

 private:
  std::string Heading(std::size_t r) const {
    std::string heading = "  ";
    heading += std::to_string(r + 1);
    heading += ". ";
    heading += rules_[r].fields;
    heading += ", marker ";
    if (rules_[r].marker.empty()) {
      heading += "(every line, or any of several texts)";
    } else {
      heading += '"';
      heading += Cp932ToUtf8(rules_[r].marker);
      heading += '"';
    }
    return heading;
  }
  static std::string Shortened(const std::string& utf8) {
    constexpr std::size_t kLongest = 160;
    if (utf8.size() <= kLongest) return utf8.empty() ? "(empty)" : utf8;
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
    return utf8.substr(0, cut) + "…";
  }

  std::vector<RuleInfo> rules_;
  std::vector<std::vector<std::pair<std::ptrdiff_t, std::string>>> fired_;
};

bool IsBuilt(std::string_view key) {
  std::vector<std::string_view> keys = ScraperKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

int ScrapeCommand(const Args& args) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (args.size() == 1 && args[0] == "--list") {
    for (std::string_view key : ScraperKeys()) std::cout << key << '\n';
    return 0;
  }

  Args words;
  std::string dictionaryFolder;
  bool tracing = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--trace") {
      tracing = true;
    } else if (args[i] != "--dict") {
      words.push_back(args[i]);
    } else if (i + 1 < args.size()) {
      dictionaryFolder = args[++i];
    } else {
      return Usage();
    }
  }
  if (words.size() != 2 || !IsBuilt(words[0])) return Usage();
  const ScraperEntry& entry = *FindScraper(words[0]);
  const std::string& pagePath = words[1];
  if (!FileExists(pagePath)) {
    std::cerr << "okuzuke scrape: no page file " << pagePath << '\n';
    return 1;
  }

  Dictionary authors;
  if (!dictionaryFolder.empty()) {
    // The dictionary loaders append file names to a folder ending in a separator.
    if (dictionaryFolder.back() != '/' && dictionaryFolder.back() != '\\') dictionaryFolder += '/';
    LoadAuthorDictionary(authors, dictionaryFolder);
  }
  TBase book;
  const bool stop = false;
  Trace trace;
  ScrapeContext ctx{book, authors, stop, tracing ? &trace : nullptr};
  int result = 0;
  try {
    result = entry.scrape(pagePath, ctx);
  } catch (const std::exception& error) {
    std::cerr << "okuzuke scrape: " << error.what() << '\n';
    return 1;
  }
  std::cout << FormatScrapeReport(result, book);
  if (tracing) trace.Print(std::cout);
  return 0;
}

}  // namespace okuzuke::cli
