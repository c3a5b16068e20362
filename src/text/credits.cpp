#include "text/credits.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "text/credit_roles.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

// Marks the start and end of each name while a credit line is parsed.
constexpr std::string_view kNameBreak = "￥"_sjis;
constexpr std::string_view kOpenBracket = "［"_sjis;
constexpr std::string_view kCloseBracket = "］"_sjis;
constexpr std::string_view kNakaguro = "・"_sjis;
constexpr std::string_view kOthers = "他"_sjis;
constexpr std::string_view kOthersKana = "ほか"_sjis;
constexpr std::string_view kCrLf = "\r\n";

// Full-width punctuation of credit lines made ASCII, so that the role words
// in the table need only one spelling.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kCreditPunctuation{{
    {"（"_sjis, "("},
    {"）"_sjis, ")"},
    {"！"_sjis, "!"},
    {"〔"_sjis, " "},
    {"〕"_sjis, " "},
    {"："_sjis, " "},
    {"／"_sjis, " "},
    {"　"_sjis, " "},
}};

// Every pattern above is the lead byte 0x81 and a trail, every replacement one
// byte that is neither: occurrences never overlap and no replacement makes a
// new one, so one pass over the text gives what replacing each in turn gives.
constexpr char kPunctuationLead = '\x81';
constexpr bool OnePassReplaces() {
  for (const auto& [from, to] : kCreditPunctuation) {
    if (from.size() != 2 || from[0] != kPunctuationLead || from[1] == kPunctuationLead || to.size() != 1 ||
        to[0] == kPunctuationLead)
      return false;
    for (const auto& [other, unused] : kCreditPunctuation)
      if (to[0] == other[1]) return false;
  }
  return true;
}
static_assert(OnePassReplaces());

// The replacement for each trail byte after the lead (0 for none).
constexpr std::array<char, 256> kPunctuationByTrail = [] {
  std::array<char, 256> table{};
  for (const auto& [from, to] : kCreditPunctuation) table[static_cast<unsigned char>(from[1])] = to[0];
  return table;
}();

}  // namespace

void AsciiCreditPunctuation(std::string& text) {
  char* data = text.data();
  const std::size_t size = text.size();
  std::size_t write = 0, read = 0;
  for (std::size_t at = text.find(kPunctuationLead); at != std::string::npos && at + 1 < size;) {
    const char replacement = kPunctuationByTrail[static_cast<unsigned char>(data[at + 1])];
    if (replacement == 0) {
      at = text.find(kPunctuationLead, at + 1);
      continue;
    }
    std::memmove(data + write, data + read, at - read);
    write += at - read;
    data[write++] = replacement;
    read = at + 2;
    at = text.find(kPunctuationLead, read);
  }
  if (read == 0) return;
  std::memmove(data + write, data + read, size - read);
  text.resize(write + size - read);
}

namespace {

struct RoledName {
  std::string name;
  char order = kNoRoleOrder;
  std::string_view label;
};

// The byte values a text holds, as 256 bits. A text can only contain a
// pattern all of whose bytes it holds, which rules most role words out for a
// name before any search.
struct ByteSet {
  explicit ByteSet(std::string_view text) {
    for (const char c : text) {
      const auto b = static_cast<unsigned char>(c);
      bits[b >> 6] |= std::uint64_t{1} << (b & 63);
    }
  }
  bool Within(const ByteSet& other) const {
    return ((bits[0] & ~other.bits[0]) | (bits[1] & ~other.bits[1]) | (bits[2] & ~other.bits[2]) |
            (bits[3] & ~other.bits[3])) == 0;
  }
  std::array<std::uint64_t, 4> bits{};
};

const std::vector<ByteSet>& RoleBytes() {
  static const std::vector<ByteSet> sets = [] {
    std::vector<ByteSet> made;
    for (const CreditRole& role : kCreditRoles) made.emplace_back(role.pattern);
    return made;
  }();
  return sets;
}

// `item` is "￥" + name + "￥"; the first role word it contains is taken out.
RoledName ApplyRole(std::string item) {
  const ByteSet held(item);
  const std::vector<ByteSet>& roleBytes = RoleBytes();
  for (std::size_t r = 0; r < kCreditRoles.size(); ++r) {
    const CreditRole& role = kCreditRoles[r];
    if (!roleBytes[r].Within(held) || !Contains(item, role.pattern)) continue;
    std::string_view replacement = role.action == RoleAction::kToBracket ? kOpenBracket : "";
    ReplaceAllIn(item, role.pattern, replacement);
    return {std::move(item), role.order, role.label};
  }
  return {std::move(item), kNoRoleOrder, {}};
}

// Drops the name marks, empty parentheses left by a removed word, and a
// leading or trailing "・".
std::string CleanName(std::string_view item) {
  std::string name = ReplaceAllOnCharBoundary(item, kNameBreak, "");
  ReplaceAllIn(name, "()", "");
  TrimIn(name);
  if (name.starts_with(kNakaguro)) name = TrimLeft(std::string_view(name).substr(kNakaguro.size()));
  if (EndsWithOnCharBoundary(name, kNakaguro)) {
    name = TrimRight(std::string_view(name).substr(0, name.size() - kNakaguro.size()));
  }
  return name;
}

bool IsAddableName(std::string_view name) {
  return !name.empty() && name != kOthers && name != kOthersKana;
}

int AddEntry(CreditList& list, const RoledName& roled, std::string_view name) {
  if (!IsAddableName(name)) return 0;
  std::string entry(1, roled.order);
  entry += name;
  entry += roled.label;
  return list.Add(std::move(entry)) ? 1 : 0;
}

}  // namespace

int ParseAuthorCredits(CreditList& list, std::string_view text, std::string_view separator,
                       std::string_view breakSeparator, std::string_view subSeparator) {
  // A yen sign in the credit must not be taken for a name break.
  std::string work = ReplaceAllOnCharBoundary(text, kNameBreak, "\\");
  if (Contains(work, separator)) {
    ReplaceAllIn(work, breakSeparator, kNameBreak);
    work += kNameBreak;
    ReplaceAllIn(work, separator, " ");
  } else {
    work += kNameBreak;  // the whole text is one name
  }
  AsciiCreditPunctuation(work);
  work = StripMarkup(FullWidthAlnumToAscii(work));

  int added = 0;
  std::string_view rest = work;
  for (std::size_t brk = FindOnCharBoundary(rest, kNameBreak); brk != std::string_view::npos;
       brk = FindOnCharBoundary(rest, kNameBreak)) {
    std::string item(kNameBreak);
    item += TrimView(rest.substr(0, brk));
    item += kNameBreak;
    rest.remove_prefix(brk + kNameBreak.size());

    RoledName roled = ApplyRole(std::move(item));
    std::string name = CleanName(roled.name);
    if (subSeparator.empty()) {
      added += AddEntry(list, roled, name);
      continue;
    }
    name += subSeparator;
    std::string_view names = name;
    for (std::size_t cut = names.find(subSeparator); cut != std::string_view::npos;
         cut = names.find(subSeparator)) {
      added += AddEntry(list, roled, TrimView(names.substr(0, cut)));
      names.remove_prefix(cut + subSeparator.size());
    }
  }
  return added;
}

int AssignAuthors(TBase& book, const CreditList& list, const Dictionary& authors, bool mayFirst,
                  bool maySecond, bool mayOthers, std::string_view separator) {
  for (const std::string& entry : list.Entries()) {
    const std::string known = book.Author1 + std::string(kCrLf) + book.Author2 +
                              std::string(kCrLf) + book.OtherAuthors;

    // The entry is the order digit, the name, perhaps "［reading］", the label.
    std::string name = entry.empty() ? std::string() : entry.substr(1);
    std::string bracketReading;
    if (Contains(name, kOpenBracket)) {
      bracketReading = ExtractAfter(name, kOpenBracket, kCloseBracket);
      name = Trim(Before(name, kOpenBracket));  // "山田 ［やまだ］" is 山田
    }

    std::string dictionaryReading;
    std::string extra;
    if (!authors.Empty()) {
      if (std::optional<AuthorEntry> hit = LookupAuthor(authors, name)) {
        name = std::move(hit->name);
        dictionaryReading = std::move(hit->reading);
        extra = std::move(hit->extra);
      }
    }

    if (Contains(known, name)) continue;
    const std::string& reading = dictionaryReading.empty() ? bracketReading : dictionaryReading;
    if (mayFirst && book.Author1.empty()) {
      book.Author1 = name;
      book.Author1Reading = reading;
      book.Field64 = extra;
    } else if (maySecond && book.Author2.empty()) {
      book.Author2 = name;
      book.Author2Reading = reading;
    } else if (mayOthers) {
      book.OtherAuthors += kCrLf;
      book.OtherAuthors += separator;
      book.OtherAuthors += name;
    }
  }
  book.OtherAuthors = Trim(book.OtherAuthors);  // drops the leading line end
  return 1;
}

}  // namespace okuzuke
