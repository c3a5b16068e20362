// okuzuke show [--all] RESULT-FILE: every record of a result file, field by
// field, as NAME<TAB>VALUE lines in UTF-8.
#include <cstdio>

#include "cli/commands.h"
#include "cli/display.h"
#include "cli/result_file.h"

namespace okuzuke::cli {

int ShowCommand(const Args& args) {
  bool all = false;
  std::string path;
  for (const std::string& arg : args) {
    if (arg == "--all") {
      all = true;
    } else if (path.empty() && (arg.empty() || arg[0] != '-')) {
      path = arg;
    } else {
      std::fprintf(stderr, "usage: okuzuke show [--all] RESULT-FILE\n");
      return 2;
    }
  }
  if (path.empty()) {
    std::fprintf(stderr, "usage: okuzuke show [--all] RESULT-FILE\n");
    return 2;
  }
  auto records = ReadResultFile(path);
  if (!records) {
    std::fprintf(stderr, "okuzuke: cannot read %s\n", path.c_str());
    return 1;
  }
  for (std::size_t r = 0; r < records->size(); ++r) {
    if (r > 0) std::printf("\n");
    std::printf("# record %zu\n", r + 1);
    for (int n = 1; n <= kBookFieldCount; ++n) {
      const std::string& value = BookField((*records)[r], n);
      if (value.empty() && !all) continue;
      std::printf("%s\t%s\n", kBookFields[n - 1].name, FieldValueForDisplay(value).c_str());
    }
  }
  return 0;
}

}  // namespace okuzuke::cli
