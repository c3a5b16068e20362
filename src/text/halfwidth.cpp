#include "text/halfwidth.h"

#include <array>
#include <cstdint>

#include "text/sjis.h"

namespace okuzuke {

namespace {

struct HalfWidthEntry {
  std::uint16_t code;  // lead byte << 8 | trail byte
  std::uint8_t size;   // 1 or 2 bytes of half-width text
  unsigned char bytes[2];
};

// The characters whose bytes change: the half-width folds, and the duplicate
// codes that Windows writes back in their preferred form.
constexpr HalfWidthEntry kChangedCharacters[] = {
#include "text/halfwidth_table.inc"
};

// One slot per lead byte (0x81-0x9F, 0xE0-0xFC) and trail byte (0x40-0xFC).
constexpr int kLeadCount = 0x9F - 0x81 + 1 + 0xFC - 0xE0 + 1;
constexpr int kTrailCount = 0xFC - 0x40 + 1;

constexpr int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F; }

constexpr bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

struct Folded {
  std::uint8_t size = 0;  // 0: the character stays as it is
  unsigned char bytes[2] = {0, 0};
};

using FoldTable = std::array<Folded, kLeadCount * kTrailCount>;

constexpr FoldTable BuildFoldTable() {
  FoldTable table{};
  for (const HalfWidthEntry& entry : kChangedCharacters) {
    const auto lead = static_cast<unsigned char>(entry.code >> 8);
    const auto trail = static_cast<unsigned char>(entry.code & 0xFF);
    table[LeadIndex(lead) * kTrailCount + (trail - 0x40)] = {entry.size, {entry.bytes[0], entry.bytes[1]}};
  }
  return table;
}

constexpr FoldTable kFoldTable = BuildFoldTable();

}  // namespace

std::string ToHalfWidth(std::string_view text) {
  // A double-byte character folds to at most two bytes, so the result never
  // outgrows the input.
  std::string out(text.size(), '\0');
  char* dest = out.data();
  const std::size_t size = text.size();
  std::size_t i = 0;
  // The mapping works on zero-terminated text: a 0 byte ends it.
  while (i < size && text[i] != '\0') {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsSjisLeadByte(lead) || i + 1 >= size || text[i + 1] == '\0') {
      *dest++ = text[i++];  // single byte, or a lead byte without its trail
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    const Folded* folded =
        IsTrailByte(trail) ? &kFoldTable[LeadIndex(lead) * kTrailCount + (trail - 0x40)] : nullptr;
    if (folded != nullptr && folded->size != 0) {
      *dest++ = static_cast<char>(folded->bytes[0]);
      if (folded->size == 2) *dest++ = static_cast<char>(folded->bytes[1]);
    } else {
      *dest++ = text[i];
      *dest++ = text[i + 1];
    }
    i += 2;
  }
  out.resize(static_cast<std::size_t>(dest - out.data()));
  return out;
}

}  // namespace okuzuke
