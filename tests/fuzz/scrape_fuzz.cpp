// Every publisher's scraper on an arbitrary page:
//   publisher key \0 page file as served
// A key that names no built scraper picks one by its first byte, so that
// every input reaches some scraper.
#include <algorithm>

#include "fuzz_input.h"
#include "publishers/registry.h"
#include "text/charset.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  static const std::vector<std::string_view> keys = ScraperKeys();
  std::string_view key = input.Part();
  if (std::find(keys.begin(), keys.end(), key) == keys.end())
    key = keys[(key.empty() ? 0 : static_cast<unsigned char>(key[0])) % keys.size()];
  const ScraperEntry* scraper = FindScraper(key);
  const std::string page = fuzz::WriteScratch("Temp.html", input.Rest());
  TBase book;
  Dictionary authors;
  const bool stop = false;
  ScrapeContext ctx{book, authors, stop};
  try {
    int found = scraper->scrape(page, ctx);
    if (found != 0 && found != 1) __builtin_trap();
  } catch (const Utf8Error&) {
    // An invalid UTF-8 page ends the code's lookup; the run catches it.
  }
  return 0;
}
