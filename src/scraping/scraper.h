// What a publisher scraper is given, and the form every scraper has.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/dictionaries.h"
#include "text/record.h"

namespace okuzuke {

// One rule of a publisher's table, as a trace names it.
struct RuleInfo {
  std::string_view fields;  // what it fills
  std::string_view marker;  // tested on the line (empty: every line, or any of several texts)
};

// Told what a scrape does, rule by rule, for the maintainer's trace
// (`okuzuke scrape --trace`). A scrape without one pays nothing for it.
class ScrapeObserver {
 public:
  virtual ~ScrapeObserver() = default;
  // Before the scan: the publisher's rules in table order.
  virtual void Rules(const std::vector<RuleInfo>& rules) = 0;
  // Rule `rule` fired on page line `line` (0-based) and stored `value`.
  virtual void Fired(std::size_t rule, std::ptrdiff_t line, std::string_view value) = 0;
};

// The memory a page lives in while it is scraped: its text, where its lines
// begin and end, which markers each line holds. A run hands the same one to
// every page, so that memory is taken once rather than for each page (and a
// large page's is not given back to the system and faulted in again each
// time). Only the capacity carries over from page to page.
struct PageBuffers {
  std::string text;
  std::vector<std::uint32_t> lineBegins, lineEnds;
  std::vector<std::uint64_t> lineMarkers;
};

// The parts of the run a scraper touches: the Book record it fills, the
// author dictionary AssignAuthors reads, and the stop flag it tests before
// each page line.
struct ScrapeContext {
  TBase& book;
  const Dictionary& authorDictionary;
  const bool& stopFlag;
  ScrapeObserver* observer = nullptr;
  PageBuffers* buffers = nullptr;  // none: the scrape takes its own
};

// Scrapes the page file at `pagePath` into ctx.book. Returns 1 when the book
// was found, 0 otherwise (always 0 when there is no file at the path).
using ScraperFn = int (*)(const std::string& pagePath, ScrapeContext& ctx);

}  // namespace okuzuke
