#include <windows.h>

#include "text/file_replace.h"

namespace okuzuke {

// The ANSI form: paths are code page 932 text like every other path here.
bool MoveFileOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace okuzuke
