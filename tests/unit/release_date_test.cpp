#include "text/release_date.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

// Month and day fields start as "kept" so that a field left alone shows.
constexpr const char* kKept = "kept";

TEST(ParseReleaseDate, ReadsEveryDateForm) {
  struct Case {
    const char* text;
    int result;
    const char* year;
    const char* month;
    const char* day;
  } cases[] = {
      {"2008年3月", 1, "2008", "03", kKept},
      {"2008年3月15日", 1, "2008", "03", "15"},
      {"２００８年１２月１日", 1, "2008", "12", "01"},
      {" 2008 年 3 月 5 日発売", 1, "2008", "03", "05"},
      {"2008年", 1, "2008", kKept, kKept},
      {"2008年3月上旬", 1, "2008", "03", kKept},  // day "上旬" is no number
      {"平成20年3月", 1, "", "03", kKept},
      {"08年3月", 1, "2008", "03", kKept},
      {"08.03.15", 1, "2008", "03", "15"},
      {"59/1/2", 1, "2059", "01", "02"},
      {"60/1/2", 1, "1960", "01", "02"},
      {"2008/3", 1, "2008", "03", kKept},
      {"2008/00/00", 1, "2008", kKept, kKept},
      {"20080315", 1, "2008", "03", "15"},
      {"080315", 1, "2008", "03", "15"},
      {"600102", 1, "1960", "01", "02"},
      {"200803", 1, "2008", "03", kKept},
      {"2008", 0, "", kKept, kKept},
      {"00000000", 0, "", kKept, kKept},  // not a positive number
      {"2008-03-15", 0, "", kKept, kKept},
      {"", 0, "", kKept, kKept},
      // Numbers beyond 32 bits are no numbers: no overflow, no exception.
      {"99999999999年3月", 1, "", "03", kKept},
      {"2147483648/1/1", 1, "", "01", "01"},
      {"2147483647/1/1", 1, "2147483647", "01", "01"},
      {"99999999999999999999", 0, "", kKept, kKept},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TBase book;
    book.ReleaseYear = "old";
    book.ReleaseMonth = kKept;
    book.ReleaseDay = kKept;
    EXPECT_EQ(ParseReleaseDate(book, Sj(c.text)), c.result);
    EXPECT_EQ(U8(book.ReleaseYear), c.year);
    EXPECT_EQ(book.ReleaseMonth, c.month);
    EXPECT_EQ(book.ReleaseDay, c.day);
  }
}

}  // namespace
}  // namespace okuzuke
