#include <cstdio>

#include "text/file_replace.h"

namespace okuzuke {

bool MoveFileOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;  // replaces `to` atomically
}

}  // namespace okuzuke
