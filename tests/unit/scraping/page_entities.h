// The entities publishers' pages use, as test data for the engine's tests.
#pragma once

#include "scraping/entities.h"
#include "text/sjis_literal.h"

namespace okuzuke::scraping::test_entities {

inline constexpr Entity kAmp{"&amp;", "&"};
inline constexpr Entity kQuot{"&quot;", "”"_sjis};
inline constexpr Entity kLt{"&lt;", "<"};
inline constexpr Entity kGt{"&gt;", ">"};

}  // namespace okuzuke::scraping::test_entities
