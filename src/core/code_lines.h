// The two longer forms of a code line that carry more than the ISBN.
#pragma once

#include <string>
#include <string_view>

#include "text/record.h"

namespace okuzuke {

// A code as typed, hyphens and blanks taken out (a final ISBN-10 check
// character "X" is kept); a code without them is returned as it stands.
std::string CleanTypedCode(std::string_view line);

// An 18-character line: ISBN-10 (1-10), classification code (11-14) and
// price (15-18; 16-18 when the 15th character is "0"; none for "0000").
void ApplyClassificationLine(TBase& book, std::string_view line);

// A 26-character code: ISBN-13 (1-13), "192" (14-16), classification code
// (17-20), price (21-25) and the add-on's check digit (26). Fills CCode and
// Price where still empty and sets Isbn to the ISBN-13.
void ApplyAddOnCode(TBase& book, std::string_view code);

}  // namespace okuzuke
