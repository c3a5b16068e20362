#include "text/release_date.h"

#include <cstdint>
#include <string>

#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

// Reads an optional sign and decimal digits, nothing else; `fallback` for any
// other text and for a value outside the 32-bit range.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return fallback;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
    value = value * 10 + (text[i] - '0');
    if (value > INT32_MAX + std::int64_t{1}) return fallback;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return fallback;
  return static_cast<std::int32_t>(value);
}

// A year written with fewer than four digits: 60 and above are the 1900s.
std::string WidenYear(std::int32_t twoDigitYear) {
  return std::to_string(std::int64_t{twoDigitYear} + (twoDigitYear >= 60 ? 1900 : 2000));
}

// Month and day are kept only as two digits other than "00".
bool IsDatePart(std::string_view part) {
  return part.size() == 2 && part != "00" && part[0] >= '0' && part[0] <= '9' && part[1] >= '0' &&
         part[1] <= '9';
}

struct DateMarks {
  std::string_view year, month, day;
};

}  // namespace

int ParseReleaseDate(TBase& book, std::string_view text) {
  const std::string date = FullWidthAlnumToAscii(text);
  std::string year;
  std::string month = "00";
  std::string day = "00";
  int result = 1;

  DateMarks marks;
  if (Contains(date, "年"_sjis))
    marks = {"年"_sjis, "月"_sjis, "日"_sjis};
  else if (Contains(date, "."))
    marks = {".", ".", "Dummy"};  // a day mark that never occurs
  else if (Contains(date, "/"))
    marks = {"/", "/", "Dummy"};

  if (!marks.year.empty()) {
    std::string_view rest = date;
    std::size_t at = rest.find(marks.year);  // present: it chose the marks
    year = Trim(rest.substr(0, at));
    rest.remove_prefix(at + marks.year.size());
    std::int32_t value = StrToIntDef(year, -1);
    if (value == -1)
      year.clear();
    else if (year.size() < 4)
      year = WidenYear(value);

    std::size_t monthAt = rest.find(marks.month);
    if (monthAt != std::string_view::npos) {
      month = "00" + Trim(rest.substr(0, monthAt));
      rest.remove_prefix(monthAt + marks.month.size());
      std::size_t dayAt = rest.find(marks.day);
      day = "00" + Trim(dayAt != std::string_view::npos ? rest.substr(0, dayAt) : rest);
      day = std::string(LastBytes(day, 2));
    } else {
      month = "00" + Trim(rest);
    }
    month = std::string(LastBytes(month, 2));
  } else {
    std::string_view digits = TrimView(date);
    if (StrToIntDef(digits, -1) <= 0) {
      result = 0;
    } else if (digits.size() == 8) {  // YYYYMMDD
      year = digits.substr(0, 4);
      month = digits.substr(4, 2);
      day = digits.substr(6, 2);
    } else if (digits.size() == 6 && (digits.starts_with("19") || digits.starts_with("20"))) {
      year = digits.substr(0, 4);  // YYYYMM
      month = digits.substr(4, 2);
    } else if (digits.size() == 6) {  // YYMMDD
      std::int32_t value = StrToIntDef(digits.substr(0, 2), -1);
      if (value != -1) year = WidenYear(value);
      month = digits.substr(2, 2);
      day = digits.substr(4, 2);
    } else {
      result = 0;
    }
  }

  book.ReleaseYear = year;
  if (IsDatePart(month)) book.ReleaseMonth = month;
  if (IsDatePart(day)) book.ReleaseDay = day;
  return result;
}

}  // namespace okuzuke
