// Which of a publisher's marker texts each line of a page holds, found for
// the whole page in one pass instead of one search per marker and line, so
// that a line without any marker costs next to nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "scraping/page_lines.h"

namespace okuzuke::scraping {

// How to find a fixed set of texts: worked out once per publisher.
class MarkerSearch {
 public:
  // At most this many texts are found in one pass; a line's answer for any
  // further text is its own search.
  static constexpr std::size_t kIndexed = 64;

  // `texts` are distinct and not empty.
  explicit MarkerSearch(std::vector<std::string_view> texts);
  ~MarkerSearch();
  MarkerSearch(const MarkerSearch&) = delete;
  MarkerSearch& operator=(const MarkerSearch&) = delete;

  const std::vector<std::string_view>& Texts() const { return texts_; }
  // Per line of the page, bit t set when the line holds Texts()[t] (t < kIndexed).
  std::vector<std::uint64_t> LinesHolding(const PageLines& page) const;
  // The same, written into `masks` (its capacity kept).
  void LinesHolding(const PageLines& page, std::vector<std::uint64_t>& masks) const;

  // The plain search, one text and line at a time; the one pass must give
  // what it gives (tests compare the two).
  static std::vector<std::uint64_t> SearchEachLine(const std::vector<std::string_view>& texts,
                                                   const PageLines& page);

  struct Buckets;  // the one-pass search's tables

 private:
  std::vector<std::string_view> texts_;
  std::unique_ptr<Buckets> buckets_;  // the one-pass search
};

// Which texts each line of one page holds.
class MarkerIndex {
 public:
  // The answers are kept in `masks`, which outlives the index.
  MarkerIndex(const MarkerSearch& search, const PageLines& page, std::vector<std::uint64_t>& masks)
      : search_(search), page_(page), masks_(masks) {
    search.LinesHolding(page, masks);
  }

  // Whether line `line` holds Texts()[text] (a byte-wise substring test).
  bool Holds(std::ptrdiff_t line, std::size_t text) const {
    if (text >= MarkerSearch::kIndexed) return HoldsUnindexed(line, text);
    return (masks_[static_cast<std::size_t>(line)] >> text) & 1;
  }
  // The indexed texts the line holds, bit t for Texts()[t].
  std::uint64_t Held(std::ptrdiff_t line) const { return masks_[static_cast<std::size_t>(line)]; }
  // True when the line holds none of the texts.
  bool HoldsNone(std::ptrdiff_t line) const {
    return search_.Texts().size() <= MarkerSearch::kIndexed && masks_[static_cast<std::size_t>(line)] == 0;
  }

 private:
  bool HoldsUnindexed(std::ptrdiff_t line, std::size_t text) const;

  const MarkerSearch& search_;
  const PageLines& page_;
  const std::vector<std::uint64_t>& masks_;
};

}  // namespace okuzuke::scraping
