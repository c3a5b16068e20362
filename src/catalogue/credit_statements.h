// The catalogue's ways of naming the people of a book, made into credit list
// entries ("<order digit><name><label>", Shift-JIS) for AssignAuthors.
#pragma once

#include <string>
#include <string_view>

namespace okuzuke::catalogue {

// The text of a UTF-8 value as Shift-JIS, its ends trimmed; a character code
// page 932 lacks becomes "?".
std::string ToShiftJis(std::string_view utf8);

// One person of a book as a credit: the name, and the order digit and label
// the credit role table gives their role.
struct StatedCredit {
  std::string name;  // Shift-JIS
  char order = '0';
  std::string_view label;

  // The credit list entry: order digit, name, label.
  std::string Entry() const;
};

// One responsibility statement ("乃南アサ 著", "月岡紗夜 [著]"): the name
// before its last space, the role word after it (square brackets dropped)
// giving the order digit and label that the first row of the credit role
// table written as that word gives (order 0 and no label for a word the
// table lacks, or for a statement without a role). The name is empty when
// the statement names no one.
StatedCredit CreditFromStatement(std::string_view statementUtf8);

// An authority name or its transcription ("架空, 太郎, 1970-") with its ", "
// parts joined and a trailing life-dates part ("1960-", "1942-2021")
// dropped: "架空太郎". A name in Latin letters is written given name first,
// spaced: "Henderson, Kathy, 1949-" is "Kathy Henderson". UTF-8 in and out.
std::string JoinedAgentName(std::string_view nameUtf8);

}  // namespace okuzuke::catalogue
