// The method every publisher scraper follows, written once. A publisher is
// declared as data (Publisher): how its page is encoded, which entities it
// decodes, which lines are tested, how its credits are ordered, when the book
// counts as found, and its rules in the order they are applied to each line.
// Scrape() does the rest: file check, load, conversion, the scan with the
// stop and done flags, and the finishing steps.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scraping/entities.h"
#include "scraping/page_lines.h"
#include "scraping/scraper.h"
#include "text/credits.h"
#include "text/record.h"

namespace okuzuke::scraping {

// The encoding a site serves; the whole page is converted to Shift-JIS.
enum class PageEncoding { ShiftJis, Utf8WithBom, Utf8, EucJp };


// Lines firstLine .. count - lastFromEnd are tested, and none when the page
// has fewer than minLines lines.
struct ScanBounds {
  int firstLine = 0;
  int minLines = 0;
  int lastFromEnd = 0;
};

enum class CreditOrder { Unsorted, Sorted };


// Everything one scrape call works on; every rule gets it.
struct Scan {
  TBase& book;
  CreditList credits;
  const PageLines& page;
  std::ptrdiff_t line = 0;  // the line whose markers are being tested
  bool found = false;       // the title rule fired (or the publisher's own condition held)
  bool done = false;        // the page's last field was taken: end after this line
  bool ended = false;       // the page has no book: end at once, no further rule runs
  std::string rating;       // age-rating text for the private preferences
  std::string memo{};       // a text a publisher keeps for the call (a page's ISBN)
  // How many more lines rules may read ahead of line i on this page
  // (collections, profile searches, item lists). A few passes over the page
  // serve any real page; a hostile page with a read-ahead marker on every
  // line is cut short instead of taking quadratic time and memory.
  std::ptrdiff_t lookAheadLeft = 0;
  ScrapeObserver* observer = nullptr;  // told of each rule that fires

  // Takes `lines` lines of read-ahead; false (and nothing left) when the
  // page's allowance does not cover them.
  bool SpendLookAhead(std::ptrdiff_t lines = 1) {
    if (lines <= 0) return true;
    if (lookAheadLeft < lines) {
      lookAheadLeft = 0;
      return false;
    }
    lookAheadLeft -= lines;
    return true;
  }

  // The line at `offset` from the current one (empty outside the page).
  std::string_view At(std::ptrdiff_t offset) const { return page[line + offset]; }
};

// A step on one collected line (a plain function, so takes stay constexpr).
using LineStep = void (*)(std::string&);

// Which text a rule reads.
struct Take {
  enum class Kind { Nothing, Line, Collect, CollectThrough, CollectFromHere, LineThenCollect };
  Kind kind = Kind::Nothing;
  int offset = 0;               // the line read, or the first line collected
  std::string_view until{};     // the line that ends a collection
  std::string_view skip{};      // collected lines that hold this are left out
  LineStep eachLine = nullptr;  // applied to each collected line before it is appended

  // The same collection, leaving out the lines that hold `text`.
  constexpr Take Skipping(std::string_view text) const {
    Take take = *this;
    take.skip = text;
    return take;
  }
  // The same collection, with `step` applied to each line on its own.
  constexpr Take EachLine(LineStep step) const {
    Take take = *this;
    take.eachLine = step;
    return take;
  }
};

// No page text: the rule only sets fixed values or flags.
inline constexpr Take kNothing{};
// Line i + offset.
constexpr Take LineAt(int offset) { return {.kind = Take::Kind::Line, .offset = offset}; }
// Lines i + offset, i + offset + 1, ... joined with nothing between them, up
// to (not including) the first line that holds `end`, or to the end of the
// page. The first line is tested like the others: from line i itself (offset
// 0) nothing is taken when line i holds `end`.
constexpr Take CollectFrom(int offset, std::string_view end) {
  return {.kind = Take::Kind::Collect, .offset = offset, .until = end};
}
// Lines i + 1, i + 2, ... up to (not including) the first that holds `end`.
constexpr Take CollectUntil(std::string_view end) { return CollectFrom(1, end); }
// Lines i + 1, i + 2, ... up to and including the first that holds `end`.
constexpr Take CollectThrough(std::string_view end) {
  return {.kind = Take::Kind::CollectThrough, .offset = 1, .until = end};
}
// The same from line i itself. When line i already holds `end`, the part of
// line i before it is taken, so a block that opens and closes on one line is
// not lost.
constexpr Take CollectFromHereUntil(std::string_view end) {
  return {.kind = Take::Kind::CollectFromHere, .until = end};
}
// Line i whole; unless it holds `end`, followed by lines i + 1, i + 2, ... up
// to (not including) the first that holds `end`.
constexpr Take LineThenCollectUntil(std::string_view end) {
  return {.kind = Take::Kind::LineThenCollect, .until = end};
}

// Conditions on top of the marker, all tested on line i unless named.
struct When {
  std::string_view alsoHas{};                // line i must also hold this
  std::string_view lacks{};                  // line i must not hold this
  bool onceFound = false;                    // only after the title rule fired
  std::string_view nextHas{};                // line i + 1 must hold this
  std::span<const std::string_view> anyOf{}; // line i must hold one of these
};
constexpr When AlsoHas(std::string_view text) { return {.alsoHas = text}; }
constexpr When Lacks(std::string_view text) { return {.lacks = text}; }
inline constexpr When kOnceFound{.onceFound = true};
constexpr When NextLineHas(std::string_view text) { return {.nextHas = text}; }
// For a rule whose marker is any of several texts: give it an empty marker
// (kAnyOf) and the texts here; it fires once however many the line holds.
constexpr When AnyOf(std::span<const std::string_view> texts) { return {.anyOf = texts}; }
// The marker of a rule that is tested on every line (or by AnyOf alone).
inline constexpr std::string_view kEveryLine{};
inline constexpr std::string_view kAnyOf{};

// A step on the work text (a cut or a post-processing step).
using TextStep = std::function<void(std::string&)>;
using Steps = std::vector<TextStep>;
// Where the finished work text goes.
using Store = std::function<void(Scan&, const std::string&)>;

// One row of a publisher's rule table.
struct Rule {
  std::string_view fields;  // what it fills, as the table names it
  Take take;                // the line(s) it reads
  std::string_view marker;  // tested on line i; an empty marker fires on every line
  When when{};              // extra condition
  Steps cut{};              // applied first, in order
  Steps post{};             // then these, in order
  Store store;              // then the result is stored
};

// Whether a publisher's finishing steps run (and the result is 1).
using FinishCondition = bool (*)(const Scan&);
bool Always(const Scan&);
bool WhenFound(const Scan&);
// The title rule fired and left a title: a heading that normalises to no
// title is no book.
bool WhenFoundWithTitle(const Scan&);

struct Publisher {
  std::string_view key;
  PageEncoding encoding;
  std::vector<Entity> entities;
  ScanBounds scan;
  CreditOrder credits;
  FinishCondition finishWhen;
  std::string_view rating;  // handed to ApplyPrivatePreferences
  std::vector<Rule> rules;
  // A publisher's own step after a successful scan, before the common
  // finishing steps (none for most).
  std::function<void(Scan&)> beforeFinish{};
};

// Runs the publisher's scraper on the page file. 0 when there is no file
// (nothing touched) or the publisher's finish condition does not hold (fields
// written by rules stay written); else the finishing steps run and 1 is
// returned. Throws Utf8Error for a UTF-8 page with an invalid lead byte.
int Scrape(const Publisher& publisher, const std::string& pagePath, ScrapeContext& ctx);

}  // namespace okuzuke::scraping
