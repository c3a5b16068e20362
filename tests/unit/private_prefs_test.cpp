#include "text/private_prefs.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

TBase ScrapedBook(const std::string& size) {
  TBase book;
  book.BookSize = Sj(size);
  book.PageUrl = "http://example.jp/book";
  book.AgeRating = "r";
  book.AgeRatingNote = "n";
  return book;
}

TEST(ApplyPrivatePreferences, ChangesNothingWithoutTheMarkerFile) {
  test::TempDir dir;
  TBase book = ScrapedBook("文庫コミック");
  EXPECT_EQ(ApplyPrivatePreferences(book, dir.Path() + "Temp.html.pelmar_private", Sj("成年"), ""), 1);
  EXPECT_EQ(U8(book.BookSize), "文庫コミック");
  EXPECT_EQ(book.PageUrl, "http://example.jp/book");
  EXPECT_EQ(book.AgeRating, "r");
  EXPECT_EQ(book.AgeRatingNote, "n");
  // A folder of that name is no marker file either.
  test::TempDir other;
  EXPECT_EQ(ApplyPrivatePreferences(book, other.Path(), Sj("成年"), ""), 1);
  EXPECT_EQ(book.AgeRating, "r");
}

TEST(ApplyPrivatePreferences, AppliesWithTheMarkerFile) {
  test::TempDir dir;
  std::string marker = dir.Write("Temp.html.pelmar_private", "");
  struct Case {
    const char* size;
    const char* expected;
  } cases[] = {
      {"文庫", "A6"},
      {"コミック文庫", "A6"},
      {"B6コミック", "B6"},
      {"文庫判文庫", "A6判A6"},
      {"", ""},
  };
  for (const auto& c : cases) {
    TBase book = ScrapedBook(c.size);
    EXPECT_EQ(ApplyPrivatePreferences(book, marker, Sj("全年齢"), "note"), 1);
    EXPECT_EQ(U8(book.BookSize), c.expected) << c.size;
    EXPECT_EQ(U8(book.AgeRating), "全年齢");
    EXPECT_EQ(book.AgeRatingNote, "note");
    EXPECT_EQ(book.PageUrl, "");
  }
}

}  // namespace
}  // namespace okuzuke
