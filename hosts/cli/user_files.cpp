#include "cli/user_files.h"

#include <cstdio>

#include "text/user_text.h"

namespace okuzuke::cli {

void ReportUnusedLines(const std::string& path) {
  const std::optional<UserText> text = ReadUserTextFile(path);
  if (!text) return;
  for (std::size_t index : text->skipped)
    std::fprintf(stderr, "okuzuke: %s line %zu: a character Shift-JIS (code page 932) cannot hold; the line is not used\n",
                 path.c_str(), index + 1);
}

}  // namespace okuzuke::cli
