#include "catalogue/credit_statements.h"

#include <algorithm>
#include <array>
#include <vector>

#include "text/codepage.h"
#include "text/credit_roles.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke::catalogue {

namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";

// The role word of a credit table row: its pattern without the marks that
// place the word in a publisher's credit line ("￥著 " is 著, "(絵)" is 絵,
// "著［" is 著).
std::string RoleWord(std::string_view pattern) {
  std::string word(pattern);
  for (std::string_view mark : {"￥"_sjis, "【"_sjis, "】"_sjis}) word = ReplaceAllOnCharBoundary(word, mark, "");
  // No trail byte is below 0x40, so these bytes are always characters.
  std::erase_if(word, [](char c) { return c == ' ' || c == '(' || c == ')'; });
  if (EndsWithOnCharBoundary(word, "［"_sjis)) word.resize(word.size() - "［"_sjis.size());
  return word;
}

const std::vector<std::string>& RoleWords() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> made;
    for (const CreditRole& role : kCreditRoles) made.push_back(RoleWord(role.pattern));
    return made;
  }();
  return words;
}

// The first row of the credit table for a role word, or none.
const CreditRole* RoleFor(std::string_view word) {
  const std::vector<std::string>& words = RoleWords();
  for (std::size_t r = 0; r < words.size(); ++r)
    if (words[r] == word) return &kCreditRoles[r];
  return nullptr;
}

// Where the last ASCII or ideographic space of a statement starts, and its
// length; npos when it has none.
std::pair<std::size_t, std::size_t> LastSpace(std::string_view text) {
  const std::size_t ascii = text.rfind(' ');
  const std::size_t wide = text.rfind(kIdeographicSpace);
  if (wide != std::string_view::npos && (ascii == std::string_view::npos || wide > ascii))
    return {wide, kIdeographicSpace.size()};
  return {ascii, 1};
}

std::string WithoutSquareBrackets(std::string_view text) {
  std::string out(text);
  for (std::string_view bracket : {"[", "]", "\uFF3B", "\uFF3D"}) {
    for (std::size_t at = out.find(bracket); at != std::string::npos; at = out.find(bracket, at))
      out.erase(at, bracket.size());
  }
  return out;
}

// "1960-", "1942-2021", "-1900": digits and hyphens, at least one of each.
bool IsLifeDates(std::string_view part) {
  part = TrimView(part);
  const bool onlyDates = std::all_of(part.begin(), part.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
  return onlyDates && part.find('-') != std::string_view::npos &&
         part.find_first_of("0123456789") != std::string_view::npos;
}

// A name written in Latin letters ("Henderson, Kathy", "Müller, Jürgen"):
// ASCII and the Latin letters of Unicode only, with at least one letter.
bool IsLatinName(std::string_view name) {
  bool letter = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      letter = letter || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    } else if (c >= 0xC3 && c <= 0xC9) {  // U+00C0 to U+024F: Latin-1 letters and Latin Extended
      letter = true;
      ++i;  // its continuation byte; the text is well-formed UTF-8
    } else if (c == 0xE1 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0xB8 &&
               static_cast<unsigned char>(name[i + 1]) <= 0xBB) {
      letter = true;  // U+1E00 to U+1EFF: Latin Extended Additional
      i += 2;
    } else {
      return false;
    }
  }
  return letter;
}

}  // namespace

std::string ToShiftJis(std::string_view utf8) {
  utf8 = TrimView(utf8);
  std::string out(utf8.size() + 1, '\0');
  out.resize(Utf8PageToCp932(utf8, out.data()));
  return out;
}

std::string StatedCredit::Entry() const {
  std::string entry(1, order);
  entry += name;
  entry += label;
  return entry;
}

StatedCredit CreditFromStatement(std::string_view statementUtf8) {
  const std::string_view statement = TrimView(statementUtf8);
  auto [space, spaceSize] = LastSpace(statement);
  StatedCredit credit;
  std::string role;
  if (space == std::string_view::npos) {
    credit.name = ToShiftJis(statement);
  } else {
    credit.name = ToShiftJis(statement.substr(0, space));
    role = ToShiftJis(WithoutSquareBrackets(statement.substr(space + spaceSize)));
  }
  // A name ending in ideographic spaces (trimmed only of ASCII blanks) keeps none.
  while (EndsWithOnCharBoundary(credit.name, "　"_sjis)) {
    credit.name.resize(credit.name.size() - "　"_sjis.size());
    TrimIn(credit.name);
  }
  if (const CreditRole* known = role.empty() ? nullptr : RoleFor(role)) {
    credit.order = known->order;
    credit.label = known->label;
  } else {
    credit.order = kNoRoleOrder;
  }
  return credit;
}

std::string JoinedAgentName(std::string_view nameUtf8) {
  std::vector<std::string_view> parts;
  std::string_view rest = nameUtf8;
  for (std::size_t at = rest.find(", "); at != std::string_view::npos; at = rest.find(", ")) {
    parts.push_back(rest.substr(0, at));
    rest.remove_prefix(at + 2);
  }
  parts.push_back(rest);
  if (parts.size() > 1 && IsLifeDates(parts.back())) parts.pop_back();
  // "Henderson, Kathy" is written as its bearer writes it: "Kathy Henderson".
  if (parts.size() > 1 && IsLatinName(nameUtf8)) {
    std::swap(parts[0], parts[1]);
    std::string spaced;
    for (std::string_view part : parts) {
      part = TrimView(part);
      if (part.empty()) continue;
      if (!spaced.empty()) spaced += ' ';
      spaced += part;
    }
    return spaced;
  }
  std::string joined;
  for (std::string_view part : parts) joined += TrimView(part);
  return joined;
}

}  // namespace okuzuke::catalogue
