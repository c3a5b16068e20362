// Checks under Wine that every entry of the compile-time literal's table
// gives the bytes WideCharToMultiByte(932) gives (the Linux build checks the
// same against iconv). Exits non-zero on any difference.
#include <cstdio>

#include "../lib/cp932_table_check.h"

int main() {
  int failed = 0;
  std::size_t checked = okuzuke::test::CheckLiteralTableAgainstPlatform([&](const auto& m) {
    ++failed;
    std::printf("DIFFERENT U+%04X: table %zu bytes, platform %zu bytes\n", static_cast<unsigned>(m.unit),
                m.table.size(), m.platform.size());
  });
  std::printf("literal_table_check: %zu entries, %d different\n", checked, failed);
  return failed == 0 && checked > 7000 ? 0 : 1;
}
