#include "text/book_size.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

TEST(NormalizeBookSize, SpellsSizesOneWay) {
  struct Case {
    const char* raw;
    const char* size;
  } cases[] = {
      {"Ｂ６判", "B6"},
      {"A5判", "A5"},
      {"新書版", "新書"},
      {"四六判変型", "四六変型"},
      {"4-6判", "四六"},
      {"４－６判", "四六"},  // full-width digits and minus
      {"B6変形", "B6変型"},
      {"B6変型判", "B6変型"},
      {"Ａ５変", "A5変型"},
      {"B5判変形版", "B5変型"},
      {"文庫", "文庫"},
      {"", ""},
  };
  for (const auto& c : cases) {
    TBase book;
    book.BookSize = "old";
    EXPECT_TRUE(NormalizeBookSize(book, Sj(c.raw)));
    EXPECT_EQ(U8(book.BookSize), c.size) << c.raw;
  }
}

}  // namespace
}  // namespace okuzuke
