#include "core/code_lines.h"

#include <gtest/gtest.h>

namespace okuzuke {
namespace {

TEST(CodeLines, TypedCodesLoseHyphensAndBlanks) {
  EXPECT_EQ(CleanTypedCode("978-4-08-873512-2"), "9784088735122");
  EXPECT_EQ(CleanTypedCode("4-10-123456-X"), "410123456X");
  EXPECT_EQ(CleanTypedCode("978 4091274557"), "9784091274557");
  EXPECT_EQ(CleanTypedCode("9784091274557"), "9784091274557");
  EXPECT_EQ(CleanTypedCode("406123456X"), "406123456X");
  EXPECT_EQ(CleanTypedCode("- -"), "- -");  // no digits: left as typed
}

TEST(CodeLines, EighteenCharacterLines) {
  struct Case {
    const char* line;
    const char* isbn;
    const char* ccode;
    const char* price;
  } cases[] = {
      {"409123456919790450", "4091234569", "1979", "450"},   // "0450": the leading 0 goes
      {"409123456919791200", "4091234569", "1979", "1200"},
      {"409123456919790000", "4091234569", "1979", ""},      // no price
  };
  for (const auto& c : cases) {
    TBase book;
    book.Price = "stale";
    ApplyClassificationLine(book, c.line);
    EXPECT_EQ(book.Isbn, c.isbn);
    EXPECT_EQ(book.CCode, c.ccode);
    EXPECT_EQ(book.Price, c.price) << c.line;
  }
  TBase untouched;
  ApplyClassificationLine(untouched, "9784091234567");
  EXPECT_TRUE(untouched.Isbn.empty());
}

TEST(CodeLines, TwentySixCharacterCodesKeepTheAddOnCheckDigitOutOfThePrice) {
  struct Case {
    const char* code;
    const char* ccodeBefore;
    const char* priceBefore;
    const char* ccode;
    const char* price;
  } cases[] = {
      {"97840912345671920979004204", "", "", "0979", "420"},
      {"97840912345671920979012008", "", "", "0979", "1200"},
      {"9784091234567192097900X204", "", "", "0979", "0"},  // not a number
      {"97840912345671920979004204", "1234", "600", "1234", "600"},  // scraped values stay
  };
  for (const auto& c : cases) {
    TBase book;
    book.CCode = c.ccodeBefore;
    book.Price = c.priceBefore;
    ApplyAddOnCode(book, c.code);
    EXPECT_EQ(book.Isbn, "9784091234567");
    EXPECT_EQ(book.CCode, c.ccode);
    EXPECT_EQ(book.Price, c.price) << c.code;
  }
}

}  // namespace
}  // namespace okuzuke
