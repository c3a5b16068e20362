#pragma once

#include <string>
#include <string_view>

#include "text/record.h"

namespace okuzuke {

// When a file exists at `markerPath` (the page path + ".pelmar_private"):
// "文庫" -> "A6" and "コミック" removed in BookSize, AgeRating := rating,
// AgeRatingNote := note, PageUrl cleared. Always 1.
int ApplyPrivatePreferences(TBase& book, const std::string& markerPath, std::string_view rating,
                            std::string_view note);

}  // namespace okuzuke
