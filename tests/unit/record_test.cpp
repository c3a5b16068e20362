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

TEST(CommaText, RoundTripsQuotedItems) {
  std::vector<std::string> items = {"", "a b", "q\"q", "plain", ""};
  EXPECT_EQ(JoinCommaText(items), ",\"a b\",\"q\"\"q\",plain,");
  EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
}

}  // namespace
}  // namespace okuzuke
