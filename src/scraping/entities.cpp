#include "scraping/entities.h"

#include <cstring>

#include "text/sjis.h"

namespace okuzuke::scraping {

namespace {

// The one pass below gives what the replace-alls in turn give when every
// entity begins with '&' and holds no other, and every replacement is not
// longer than its entity and is either "&" itself or holds neither '&' nor
// any byte an entity holds after its '&' (so no replacement can become part
// of a later entity), an empty one only last (nothing is joined up for a
// later entity to match across).
bool OnePassServes(std::span<const Entity> entities) {
  auto inAnEntity = [&](char c) {
    for (const Entity& e : entities)
      if (e.from.find(c, 1) != std::string_view::npos) return true;
    return false;
  };
  for (std::size_t i = 0; i < entities.size(); ++i) {
    const Entity& e = entities[i];
    if (e.from.size() < 2 || e.from[0] != '&' || e.from.find('&', 1) != std::string_view::npos) return false;
    if (e.to.size() > e.from.size()) return false;
    if (e.to == "&") continue;
    if (e.to.empty() && i + 1 != entities.size()) return false;
    for (char c : e.to)
      if (c == '&' || inAnEntity(c)) return false;
  }
  return true;
}

}  // namespace

void DecodeEntitiesInTurn(std::string& text, std::span<const Entity> entities) {
  for (const Entity& entity : entities)
    if (Contains(text, entity.from)) text = ReplaceAll(text, entity.from, entity.to);
}

void DecodeEntities(std::string& text, std::span<const Entity> entities) {
  if (entities.empty()) return;
  if (!OnePassServes(entities)) return DecodeEntitiesInTurn(text, entities);
  char* const data = text.data();
  const std::size_t size = text.size();
  std::size_t read = 0, write = 0;
  auto copy = [&](std::size_t from, std::size_t count) {
    if (write != from && count > 0) std::memmove(data + write, data + from, count);
    write += count;
  };
  while (read < size) {
    const void* amp = std::memchr(data + read, '&', size - read);
    const std::size_t at = amp ? static_cast<std::size_t>(static_cast<const char*>(amp) - data) : size;
    copy(read, at - read);
    if (at == size) break;
    // The '&' at `at` and what follows it: the entities are tried in their
    // order; one that gives "&" leaves an '&' there for the later ones, any
    // other ends the '&'. No entity reaches past the next '&'.
    const std::string_view rest(data + at + 1, size - at - 1);
    std::size_t consumed = 0;  // bytes of `rest` taken by entities so far
    bool ampersand = true;     // the token still begins with an '&'
    for (const Entity& entity : entities) {
      const std::string_view tail = entity.from.substr(1);
      if (rest.size() - consumed < tail.size() || rest[consumed] != tail[0] ||
          std::memcmp(rest.data() + consumed, tail.data(), tail.size()) != 0)
        continue;
      consumed += tail.size();
      if (entity.to == "&") continue;
      if (!entity.to.empty()) std::memcpy(data + write, entity.to.data(), entity.to.size());
      write += entity.to.size();
      ampersand = false;
      break;
    }
    if (ampersand) data[write++] = '&';
    read = at + 1 + consumed;
  }
  text.resize(write);
}

}  // namespace okuzuke::scraping
