// The built publisher scrapers, each a ScraperFn over its publisher's
// declaration; registry.cpp puts them into the table of page layouts.
#pragma once

#include <string>

#include "scraping/scraper.h"

namespace okuzuke {

int ScrapeShogakukan(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeShueisha(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeMagGarden(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeHoubunsha(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeOhzora(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeMediaFactory(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeEnterbrain(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeFutabasha(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeAsciiMediaWorks(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeAkitaShoten(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeWaniBooks(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeGakken(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeSBook(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeKodansha(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeKadokawa(const std::string& pagePath, ScrapeContext& ctx);
int ScrapeMediaFactoryOld(const std::string& pagePath, ScrapeContext& ctx);

}  // namespace okuzuke
