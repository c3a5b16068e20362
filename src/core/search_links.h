// The search stage of a two-stage lookup: the detail page's address found
// on the publisher's search page.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dispatch.h"

namespace okuzuke {

// The detail page found on a search page, or nullopt ("no hit").
std::optional<SearchHit> FindDetailLink(SearchStage stage, std::string_view site,
                                        const std::vector<std::string>& searchPageLines);

// The search page's lines as the search needs them (EUC-JP converted to
// Shift-JIS for the Media Factory search).
std::vector<std::string> SearchPageLines(SearchStage stage, std::string_view pageBytes);

}  // namespace okuzuke
