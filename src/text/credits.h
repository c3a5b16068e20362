// Author credit lines: split into names with role labels, then assigned to
// the Book record's author fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/dictionaries.h"
#include "text/record.h"

namespace okuzuke {

// Entries "<order digit><name><label>". A sorted list keeps ascending order
// under a case-insensitive comparison and does not add an entry equal to one
// it holds; an unsorted list keeps the order of adding.
class CreditList {
 public:
  // No book has more credits than this; a page that lists more is not a
  // credit line, and keeping it out keeps sorting and assigning bounded.
  static constexpr std::size_t kMaxEntries = 1000;

  explicit CreditList(bool sorted) : sorted_(sorted) {}
  bool Sorted() const { return sorted_; }
  // False when a sorted list already holds an equal entry, or the list is full.
  bool Add(std::string entry);
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  bool sorted_;
  std::vector<std::string> entries_;
};

// Adds one entry per name found in `text`; returns how many were added.
int ParseAuthorCredits(CreditList& list, std::string_view text, std::string_view separator,
                       std::string_view breakSeparator, std::string_view subSeparator);

// The full-width brackets, "!", colon, slash and space of a credit line made
// ASCII ("(", ")", "!" or a space), in place.
void AsciiCreditPunctuation(std::string& text);

// Distributes the entries over Author1/Author1Reading, Author2/Author2Reading,
// OtherAuthors and Field64, using the author dictionary. Always 1.
int AssignAuthors(TBase& book, const CreditList& list, const Dictionary& authors, bool mayFirst,
                  bool maySecond, bool mayOthers, std::string_view separator);

}  // namespace okuzuke
