// Choosing the publisher page for an ISBN: one table of rows tested in
// order, each with the prefixes it serves, the request path built from the
// ISBN, an optional search stage and the scraper that reads the page.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "publishers/registry.h"

namespace okuzuke {

// How the detail page's address is found.
enum class SearchStage {
  None,          // the request path is the detail page
  SBook,         // search page, then the first "slib_detail" link
  Kadokawa,      // search page, then a book link; else the fallback row
  Enterbrain,    // search page, then the first product link
  MediaFactory,  // EUC-JP search page, then the author-cell link
};

// One prefix of a row and how its request path is built. Path templates
// expand {L} (the 13-digit ISBN, without an add-on code behind it), {L9-12} (its characters 9..12, 1-based),
// {L13} (one character), {I} and {I2-5} (the same on the ISBN-10 form).
// `path10` is used instead of `path` for a 10-digit input, when given.
struct Route {
  std::string_view prefix;
  std::string_view site;
  std::string_view path;
  std::string_view path10 = {};
};

// A detail page address and the scraper that reads it.
struct SearchHit {
  std::string url;
  ScraperId scraper;
};

struct DispatchRow {
  int order;
  std::string_view publisher;
  std::array<Route, 2> routes;  // a second route has a non-empty prefix
  SearchStage search;
  ScraperId scraper;
};

extern const std::array<DispatchRow, 16> kDispatchTable;

struct Request {
  const DispatchRow* row;
  std::string_view site;  // the matched route's site
  std::string url;        // the detail page, or the search page of a search stage
};

// When the Kadokawa / Fujimi search finds no book link (or no page), the
// lookup falls back to this ASCII Media Works page.
SearchHit KadokawaFallback(std::string_view isbn13);

// The first row whose prefix the ISBN starts with, and its request address.
// nullopt when no prefix matches. Throws InvalidIsbn when the template needs
// characters or an ISBN-10 form the text cannot give.
std::optional<Request> Dispatch(std::string_view isbn13, bool tenDigitInput);

// Expands a path template (see Route). Throws InvalidIsbn on a position
// beyond the ISBN or an ISBN that has no ISBN-10 form.
std::string ExpandPath(std::string_view pathTemplate, std::string_view isbn13);

}  // namespace okuzuke
