// The role words of author credit lines, in the order they are tested.
#pragma once

#include <array>
#include <string_view>

namespace okuzuke {

enum class RoleAction {
  kRemove,     // every occurrence of the pattern leaves the name
  kToBracket,  // every occurrence becomes "［": a role word written just before a reading
};

// A name is tested as "￥" + name + "￥", so a pattern beginning with "￥"
// matches a word at the start of the name, one ending with "￥" at its end.
// The first row whose pattern the name contains decides; longer words come
// before the shorter words they contain.
struct CreditRole {
  std::string_view pattern;
  RoleAction action;
  char order;              // sorts the entry in a sorted credit list
  std::string_view label;  // written after the name
};

// The 52 roles in the order they are tested.
extern const std::array<CreditRole, 52> kCreditRoles;

// Order digit of a name that holds none of the role words.
inline constexpr char kNoRoleOrder = '0';

}  // namespace okuzuke
