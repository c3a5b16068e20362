#include <algorithm>

#include "text/credits.h"
#include "text/sjis.h"

namespace okuzuke {

namespace {

unsigned char FoldAsciiLetter(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Byte order with single-byte ASCII letters folded. Trail bytes are never
// folded: the kanji 0x88 0x41 and 0x88 0x61 are different names.
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  bool atTrail = false;  // equal so far, so both texts have their boundaries in the same places
  for (std::size_t i = 0; i < common; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (!atTrail) {
      x = FoldAsciiLetter(x);
      y = FoldAsciiLetter(y);
    }
    if (x != y) return x < y ? -1 : 1;
    atTrail = !atTrail && IsSjisLeadByte(x);
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool CreditList::Add(std::string entry) {
  if (entries_.size() >= kMaxEntries) return false;
  if (!sorted_) {
    entries_.push_back(std::move(entry));
    return true;
  }
  auto less = [](const std::string& a, const std::string& b) {
    return CompareIgnoringAsciiCase(a, b) < 0;
  };
  auto at = std::lower_bound(entries_.begin(), entries_.end(), entry, less);
  if (at != entries_.end() && CompareIgnoringAsciiCase(*at, entry) == 0) return false;
  entries_.insert(at, std::move(entry));
  return true;
}

}  // namespace okuzuke
