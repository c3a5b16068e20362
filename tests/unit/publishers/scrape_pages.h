// Helpers for the scraper tests: a page written in UTF-8 encoded the way its
// site serves it, and one scrape of such a page from a scratch file.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "publishers/registry.h"
#include "test_support.h"
#include "text/dictionaries.h"
#include "text/record.h"

namespace okuzuke::test {

inline std::string EucJp(std::string_view utf8) {
  iconv_t cd = iconv_open("EUC-JP", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no EUC-JP converter");
  std::string in(utf8), out(utf8.size() * 2 + 16, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("not EUC-JP text");
  out.resize(out.size() - outLeft);
  return out;
}

// The page bytes as the publisher's site serves them.
inline std::string ServedPage(std::string_view key, std::string_view utf8) {
  if (key == "shogakukan" || key == "maggarden" || key == "asciimw") return "\xEF\xBB\xBF" + std::string(utf8);
  if (key == "houbunsha" || key == "ohzora" || key == "mediafactory" || key == "mediafactory-old")
    return EucJp(utf8);
  if (key == "futabasha" || key == "wani" || key == "kodansha") return std::string(utf8);
  return Sj(utf8);
}

struct Scraped {
  int result = 0;
  TBase book;
};

// Runs the scraper `key` on `pageBytes` saved to a scratch file.
inline Scraped ScrapeBytes(std::string_view key, std::string_view pageBytes) {
  TempDir dir;
  std::string page = dir.Write("Temp.html", pageBytes);
  Scraped scraped;
  Dictionary authors;
  const bool stop = false;
  ScrapeContext ctx{scraped.book, authors, stop};
  scraped.result = FindScraper(key)->scrape(page, ctx);
  return scraped;
}

// The same for a page written in UTF-8 and encoded as the site serves it.
inline Scraped ScrapePage(std::string_view key, std::string_view utf8) {
  return ScrapeBytes(key, ServedPage(key, utf8));
}

}  // namespace okuzuke::test
