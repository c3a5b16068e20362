// Our hosts' ISBN check: what a real host's ISBNChkFunc does for the
// plug-in, with the same contract.
#pragma once

#include <string>
#include <string_view>

namespace okuzuke::hosts {

// Hyphens and spaces removed; an ISBN-13 with a correct check digit stays;
// an ISBN-10 with a correct check digit becomes its ISBN-13; an ISBN-13
// followed by a 13-digit add-on code starting "192" keeps the add-on behind
// it (26 characters). Anything else gives the empty text.
std::string NormalizeIsbnCode(std::string_view code);

}  // namespace okuzuke::hosts
