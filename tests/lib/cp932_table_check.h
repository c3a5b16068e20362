// Checks the compile-time literal's conversion table against the platform's
// own code page 932 conversion (iconv on Linux, WideCharToMultiByte on
// Windows): every entry must give the bytes the platform gives.
#pragma once

#include <cstdint>
#include <string>

#include "text/codepage.h"
#include "text/sjis_literal.h"

namespace okuzuke::test {

struct TableMismatch {
  char16_t unit;
  std::string table, platform;
};

// Calls `report` for each entry the platform encodes differently; returns
// the number of entries checked.
template <typename Report>
std::size_t CheckLiteralTableAgainstPlatform(Report report) {
  std::size_t checked = 0;
  for (std::uint32_t entry : sjis_literal::kUnicodeToCp932) {
    const char16_t unit = static_cast<char16_t>(entry >> 16);
    const unsigned code = entry & 0xFFFF;
    std::string table = code > 0xFF ? std::string{static_cast<char>(code >> 8), static_cast<char>(code)}
                                    : std::string(1, static_cast<char>(code));
    std::string platform = Utf16ToCp932(std::u16string(1, unit));
    if (platform != table) report(TableMismatch{unit, table, platform});
    ++checked;
  }
  return checked;
}

}  // namespace okuzuke::test
