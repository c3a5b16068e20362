#include "publishers/registry.h"

#include <array>

#include "publishers/publisher_scrapers.h"

namespace okuzuke {

namespace {

const std::array<ScraperEntry, 16> kScrapers = {{
    {ScraperId::Shueisha, "shueisha", ScrapeShueisha},
    {ScraperId::Shogakukan, "shogakukan", ScrapeShogakukan},
    {ScraperId::SBook, "sbook", ScrapeSBook},
    {ScraperId::Kodansha, "kodansha", ScrapeKodansha},
    {ScraperId::AkitaShoten, "akita", ScrapeAkitaShoten},
    {ScraperId::Kadokawa, "kadokawa", ScrapeKadokawa},
    {ScraperId::AsciiMediaWorks, "asciimw", ScrapeAsciiMediaWorks},
    {ScraperId::Futabasha, "futabasha", ScrapeFutabasha},
    {ScraperId::Enterbrain, "enterbrain", ScrapeEnterbrain},
    {ScraperId::MediaFactoryNew, "mediafactory", ScrapeMediaFactory},
    {ScraperId::MediaFactoryOld, "mediafactory-old", ScrapeMediaFactoryOld},
    {ScraperId::Gakken, "gakken", ScrapeGakken},
    {ScraperId::Wani, "wani", ScrapeWaniBooks},
    {ScraperId::Ohzora, "ohzora", ScrapeOhzora},
    {ScraperId::Houbunsha, "houbunsha", ScrapeHoubunsha},
    {ScraperId::MagGarden, "maggarden", ScrapeMagGarden},
}};

}  // namespace

const ScraperEntry& ScraperFor(ScraperId id) {
  for (const auto& entry : kScrapers)
    if (entry.id == id) return entry;
  return kScrapers[0];  // unreachable: every id has a row
}

const ScraperEntry* FindScraper(std::string_view key) {
  for (const auto& entry : kScrapers)
    if (entry.key == key) return &entry;
  return nullptr;
}

std::vector<std::string_view> ScraperKeys() {
  std::vector<std::string_view> keys;
  for (const auto& entry : kScrapers) keys.push_back(entry.key);
  return keys;
}

}  // namespace okuzuke
