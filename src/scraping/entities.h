// The entities a publisher's page has decoded, page-wide, in order: what
// replacing all occurrences of each in turn gives (so "&amp;" first turns
// "&amp;quot;" into "&quot;" for the next one), done in one pass.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace okuzuke::scraping {

struct Entity {
  std::string_view from;
  std::string_view to;
};

// Decodes `entities` in `text`, in place.
void DecodeEntities(std::string& text, std::span<const Entity> entities);

// The same by one replace-all per entity, in order (the reference that the
// one pass must equal, and what serves an entity list the pass cannot take).
void DecodeEntitiesInTurn(std::string& text, std::span<const Entity> entities);

}  // namespace okuzuke::scraping
