// okuzuke scrape PUBLISHER PAGE-FILE [--dict DIR]: runs one publisher's
// scraper on a saved page (in the encoding the site serves) and prints the
// result and the fields it filled. okuzuke scrape --list: the built keys.
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

#include "commands.h"
#include "publishers/scrape_report.h"
#include "publishers/scraper.h"
#include "text/dictionaries.h"
#include "text/file_io.h"

namespace okuzuke::cli {

namespace {

int Usage() {
  std::cerr << "usage: okuzuke scrape PUBLISHER PAGE-FILE [--dict DIR]\n"
               "       okuzuke scrape --list\n";
  return 2;
}

bool IsBuilt(std::string_view key) {
  std::vector<std::string_view> keys = BuiltScraperKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

int ScrapeCommand(const Args& args) {
  if (args.size() == 1 && args[0] == "--list") {
    for (std::string_view key : BuiltScraperKeys()) std::cout << key << '\n';
    return 0;
  }

  Args words;
  std::string dictionaryFolder;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--dict") {
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
  ScrapeContext ctx{book, authors, stop};
  int result = 0;
  try {
    result = entry.scrape(pagePath, ctx);
  } catch (const std::exception& error) {
    std::cerr << "okuzuke scrape: " << error.what() << '\n';
    return 1;
  }
  std::cout << FormatScrapeReport(result, book);
  return 0;
}

}  // namespace okuzuke::cli
