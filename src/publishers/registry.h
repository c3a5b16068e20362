// The page layouts the run can select and the scraper that reads each.
#pragma once

#include <string_view>
#include <vector>

#include "scraping/scraper.h"

namespace okuzuke {

// One per page layout the dispatch table can select.
enum class ScraperId {
  Shueisha,
  Shogakukan,
  SBook,
  Kodansha,
  AkitaShoten,
  Kadokawa,
  AsciiMediaWorks,
  Futabasha,
  Enterbrain,
  MediaFactoryNew,
  MediaFactoryOld,
  Gakken,
  Wani,
  Ohzora,
  Houbunsha,
  MagGarden,
};

struct ScraperEntry {
  ScraperId id;
  std::string_view key;  // short name for the maintainer's `okuzuke scrape KEY`
  ScraperFn scrape;
};

// Every scraper id's entry.
const ScraperEntry& ScraperFor(ScraperId id);
const ScraperEntry* FindScraper(std::string_view key);
// Every scraper's key, in table order.
std::vector<std::string_view> ScraperKeys();

}  // namespace okuzuke
