// okuzuke show [--json] [--all] RESULT-FILE: every record of a result file,
// field by field as NAME<TAB>VALUE lines, or as JSON; UTF-8 either way.
#include <cstdio>

#include "cli/commands.h"
#include "cli/display.h"
#include "cli/record_json.h"
#include "cli/result_file.h"

namespace okuzuke::cli {

namespace {
constexpr const char* kUsage = "usage: okuzuke show [--json] [--all] RESULT-FILE\n";
}  // namespace

int ShowCommand(const Args& args) {
  bool all = false;
  bool json = false;
  std::string path;
  for (const std::string& arg : args) {
    if (arg == "--all") {
      all = true;
    } else if (arg == "--json") {
      json = true;
    } else if (path.empty() && (arg.empty() || arg[0] != '-')) {
      path = arg;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (path.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string error;
  auto records = ReadResultFile(path, error);
  if (!records) {
    std::fprintf(stderr, "okuzuke: %s\n", error.c_str());
    return 1;
  }
  if (json) return PrintWhole(RecordsJson(*records, all)) ? 0 : 1;
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
