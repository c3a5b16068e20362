#include "text/record.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;

TEST(BookRecord, FieldTableMatchesNumbering) {
  TBase book;
  BookField(book, 1) = "isbn";
  BookField(book, 36) = "desc";
  BookField(book, 45) = "read";
  EXPECT_EQ(book.Isbn, "isbn");
  EXPECT_EQ(book.Description, "desc");
  EXPECT_EQ(book.ReadStatus, "read");
  EXPECT_STREQ(kBookFields[63].name, "Field64");
  ClearBookRecord(book);
  for (int n = 1; n <= kBookFieldCount; ++n) EXPECT_TRUE(BookField(book, n).empty()) << n;
}

TEST(BookRecord, SerializesSixtyEightColumnsWithEmptyTwentyAndFortyOne) {
  TBase book;
  for (int n = 1; n <= kBookFieldCount; ++n) BookField(book, n) = "f" + std::to_string(n);
  std::vector<std::string> columns = SplitCommaText(SerializeBookRecord(book));
  ASSERT_EQ(columns.size(), 68u);
  EXPECT_EQ(columns[18], "f19");
  EXPECT_EQ(columns[19], "");
  EXPECT_EQ(columns[20], "f20");
  EXPECT_EQ(columns[39], "f39");
  EXPECT_EQ(columns[40], "");
  EXPECT_EQ(columns[41], "f40");
  EXPECT_EQ(columns[67], "f66");
}

TEST(BookRecord, EscapesFieldsBeforeJoining) {
  struct Case {
    std::string field, escaped;
    bool quoted;
  } cases[] = {
      {"a,b", Sj("a，b"), false},
      {"line1\r\nline2", "line1$$line2", false},
      {"say \"hi\"", Sj("say ”hi”"), true},  // the blank still forces quotes
      {"tab\there", "tab\there", true},
      {"", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EscapeRecordField(c.field), c.escaped);
    TBase book;
    book.Title = c.field;
    std::string line = SerializeBookRecord(book);
    EXPECT_EQ(SplitCommaText(line)[1], c.escaped);
    EXPECT_EQ(line[1] == '"', c.quoted) << line;
  }
}

// A field the host would misread is made well-formed before it is written:
// the record keeps 68 columns when read the code page 932 way, as one line.
TEST(BookRecord, FieldsAreWrittenAsWellFormedText) {
  struct Case {
    std::string field, written;
  } cases[] = {
      {"T\x82", "T"},                       // a page cut inside a character
      {"T\x82,x", Sj("T，x")},               // "," is no trail byte
      {"\x82\xA0\x82", "\x82\xA0"},          // a whole character stays
      {"\x81\x81\x81", "\x81\x81"},          // lead, trail, then a lone lead
      {"a\x82\"b", Sj("a”b")},
      {std::string("a\0b", 3), "ab"},
      {"a\nb\rc\r\nd", "a$$b$$c$$d"},
  };
  for (const auto& c : cases) {
    TBase book;
    book.Title = c.field;
    book.Description = c.field;
    std::string line = SerializeBookRecord(book);
    std::vector<std::string> columns = SplitCommaText(line);
    ASSERT_EQ(columns.size(), 68u) << test::U8(c.field);
    EXPECT_EQ(columns[1], c.written);
    EXPECT_EQ(columns[36], c.written);  // field 36
    EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
  }
}

TEST(CommaText, RoundTripsQuotedItems) {
  std::vector<std::string> items = {"", "a b", "q\"q", "plain", ""};
  EXPECT_EQ(JoinCommaText(items), ",\"a b\",\"q\"\"q\",plain,");
  EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  // A lead byte takes the byte after it, even a quote or a comma.
  EXPECT_EQ(SplitCommaText("a\x82,b,c"), (std::vector<std::string>{"a\x82,b", "c"}));
}

}  // namespace
}  // namespace okuzuke
