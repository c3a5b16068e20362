#include "text/isbn.h"

#include <gtest/gtest.h>

namespace okuzuke {
namespace {

TEST(IsbnWithCheckDigit, GivesTheIsbn10) {
  struct Case {
    const char* isbn13;
    const char* isbn10;
  } cases[] = {
      {"9784088700014", "4088700015"},
      {"9784063842760", "4063842762"},
      {"9784091001011", "4091001017"},
      {"9784040000000", "4040000005"},  // sum divisible by 11: check digit 0
      {"9780804429573", "080442957X"},  // check value 10
      {"978080442957", "080442957X"},   // the 13th character is never read
      {"9780804429573-1", "080442957X"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsbnWithCheckDigit(c.isbn13), c.isbn10) << c.isbn13;
    // The count that two publishers' request addresses pass changes nothing.
    EXPECT_EQ(IsbnWithCheckDigit(c.isbn13, 7), c.isbn10) << c.isbn13;
    EXPECT_EQ(IsbnWithCheckDigit(c.isbn13, 6), c.isbn10) << c.isbn13;
  }
}

TEST(IsbnWithCheckDigit, RejectsWhatIsNoIsbn) {
  const std::string bad[] = {
      "", "978", "97840887000",  // shorter than twelve
      "97840887000X1",           // a non-digit at position 12
      "978-4-08-870001-4", "978408 700014", "9784O88700014",
      std::string("978408\0" "700014", 13),
  };
  for (const auto& isbn : bad) EXPECT_THROW(IsbnWithCheckDigit(isbn), InvalidIsbn) << isbn;
  // Only the nine body digits are read.
  EXPECT_EQ(IsbnWithCheckDigit("ABC408870001?"), "4088700015");
}

}  // namespace
}  // namespace okuzuke
