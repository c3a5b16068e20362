// Compares our half-width table with LCMapStringA(LCMAP_HALFWIDTH) for every
// character of code page 932. Run under Wine with a Japanese locale (see
// run_checks.sh); exits non-zero on any difference that is not a known one.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "text/halfwidth.h"
#include "text/sjis.h"

namespace {

// Where Wine's table differs from what Windows does or from what we keep on
// purpose. `ours` is what ToHalfWidth must give for the character.
struct KnownDeviation {
  std::string_view code;
  std::string_view ours;
};

constexpr KnownDeviation kKnownDeviations[] = {
    // ＼ (U+FF3C) is full-width ASCII like ！..～; Windows folds the whole
    // block to ASCII, Wine leaves this one character alone.
    {"\x81\x5F", "\x5C"},
    // ヾ (U+30FE): Wine decomposes it and folds only the mark, giving ヽﾞ; the
    // iteration mark has no half-width form and Windows' katakana table
    // leaves it, as it leaves ゞ, ヵ and ヶ.
    {"\x81\x53", "\x81\x53"},
    // ○ ■ → ← ↑ ↓ │: Wine folds them to the half-width forms U+FFE8..FFEE,
    // which code page 932 cannot hold, so they come back as '?'. A folded
    // reading must not lose characters: we keep them. (Whether Windows folds
    // these in UTF-16 is not known to us; through code page 932 nothing but
    // the unchanged character is useful.)
    {"\x81\x9B", "\x81\x9B"},
    {"\x81\xA1", "\x81\xA1"},
    {"\x81\xA8", "\x81\xA8"},
    {"\x81\xA9", "\x81\xA9"},
    {"\x81\xAA", "\x81\xAA"},
    {"\x81\xAB", "\x81\xAB"},
    {"\x84\xA0", "\x84\xA0"},
};

std::string Hex(std::string_view bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char b : bytes) {
    std::snprintf(buffer, sizeof buffer, "%s%02X", out.empty() ? "" : " ", b);
    out += buffer;
  }
  return out.empty() ? "(empty)" : out;
}

std::string WindowsHalfWidth(std::string_view text) {
  const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_HALFWIDTH, text.data(),
                                static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return "(LCMapStringA failed)";
  std::string out(static_cast<std::size_t>(size), '\0');
  LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_HALFWIDTH, text.data(), static_cast<int>(text.size()),
               out.data(), size);
  return out;
}

// Unassigned codes are no characters: Windows turns them into its default
// character, we keep their bytes; neither is worth comparing.
bool IsCharacter(std::string_view code) {
  WCHAR wide[2];
  return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, code.data(), static_cast<int>(code.size()),
                             wide, 2) > 0;
}

const KnownDeviation* FindKnownDeviation(std::string_view code) {
  for (const auto& deviation : kKnownDeviations)
    if (deviation.code == code) return &deviation;
  return nullptr;
}

struct Tally {
  int passed = 0;
  int failed = 0;
  int known = 0;
  int skipped = 0;
};

void Compare(std::string_view code, Tally& tally, std::string& agreed) {
  if (!IsCharacter(code)) {
    ++tally.skipped;
    return;
  }
  const std::string ours = okuzuke::ToHalfWidth(code);
  const std::string windows = WindowsHalfWidth(code);
  const KnownDeviation* deviation = FindKnownDeviation(code);
  if (ours == windows && deviation == nullptr) {
    ++tally.passed;
    agreed += code;
  } else if (deviation != nullptr && ours == deviation->ours) {
    ++tally.passed;
    ++tally.known;
    std::printf("known deviation %s: LCMapStringA %s, ours %s\n", Hex(code).c_str(),
                Hex(windows).c_str(), Hex(ours).c_str());
  } else {
    ++tally.failed;
    std::printf("DIFFERENT %s: LCMapStringA %s, ours %s\n", Hex(code).c_str(), Hex(windows).c_str(),
                Hex(ours).c_str());
  }
}

}  // namespace

int main() {
  const UINT codePage = GetACP();
  if (codePage != 932) {
    std::printf("halfwidth_check: the ANSI code page is %u, not 932; run with LC_ALL=ja_JP.UTF-8\n",
                codePage);
    std::printf("halfwidth_check: 0 passed, 1 failed\n");
    return 2;
  }

  Tally tally;
  std::string agreed;  // every character on which both agree, in one text
  for (int b = 0x01; b <= 0xFF; ++b) {
    if (okuzuke::IsSjisLeadByte(static_cast<unsigned char>(b))) continue;
    Compare(std::string(1, static_cast<char>(b)), tally, agreed);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!okuzuke::IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      Compare(std::string_view(code, 2), tally, agreed);
    }
  }

  // The same characters as one long text: the walk over a whole text, far
  // past any fixed buffer size, gives the same as character by character.
  if (okuzuke::ToHalfWidth(agreed) == WindowsHalfWidth(agreed)) {
    ++tally.passed;
  } else {
    ++tally.failed;
    std::printf("DIFFERENT: the text of all %zu agreeing bytes folds differently as a whole\n",
                agreed.size());
  }

  std::printf("%d known deviations, %d unassigned codes skipped\n", tally.known, tally.skipped);
  std::printf("halfwidth_check: %d passed, %d failed\n", tally.passed, tally.failed);
  return tally.failed == 0 ? 0 : 1;
}
