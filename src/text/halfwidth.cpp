#include "text/halfwidth.h"

namespace okuzuke {

// Replaced by the table-driven folding.
std::string ToHalfWidth(std::string_view text) { return std::string(text); }

}  // namespace okuzuke
