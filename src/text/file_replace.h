// Putting a finished file in place of another in one step.
#pragma once

#include <string>

namespace okuzuke {

// Renames `from` to `to`, replacing a file that is there. False when it fails
// (then `from` is left as it was).
bool MoveFileOver(const std::string& from, const std::string& to);

}  // namespace okuzuke
