// The example dictionaries of the Windows package, read as shipped (code page
// 932, CR LF) through the plug-in's own routines: every line is an entry that
// a lookup of its key finds (not shadowed by an earlier line, its key in the
// normalised form a scraped text can take), and the scraped texts the guide
// shows reach the entries it names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "text/dictionaries.h"
#include "text/file_io.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

const std::string kShipped = OKUZUKE_EXAMPLE_DICTIONARIES;  // ends with "/"

// The fields of a line: the text between each "|" and the next, and the
// text after the last one.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t at = line.find('|');
  while (at != std::string::npos) {
    const std::size_t next = line.find('|', at + 1);
    fields.push_back(line.substr(at + 1, next == std::string::npos ? next : next - at - 1));
    at = next;
  }
  return fields;
}

std::vector<std::string> ShippedLines(const char* file) {
  std::vector<std::string> lines = LoadLines(kShipped + file).value_or(std::vector<std::string>());
  EXPECT_FALSE(lines.empty()) << file;
  return lines;
}

TEST(ExampleDictionaries, EveryLineIsFoundByItsKey) {
  Dictionary authors;
  ASSERT_TRUE(LoadAuthorDictionary(authors, kShipped));
  for (const std::string& line : ShippedLines("AuthDB.dat")) {
    const std::vector<std::string> f = Fields(line);
    ASSERT_EQ(f.size(), 5u) << U8(line);  // key, name, reading, extra, "" after the closing "|"
    EXPECT_EQ(f[4], "") << U8(line);
    EXPECT_EQ(NormalizeDictionaryKey(f[0]), f[0]) << U8(line);
    const std::optional<AuthorEntry> hit = LookupAuthor(authors, f[0]);
    ASSERT_TRUE(hit) << U8(line);
    EXPECT_EQ(U8(hit->name + "|" + hit->reading + "|" + hit->extra), U8(f[1] + "|" + f[2] + "|" + f[3]));
  }

  for (const std::string& line : ShippedLines("PubDB.dat")) {
    const std::vector<std::string> f = Fields(line);
    ASSERT_EQ(f.size(), 2u) << U8(line);
    for (std::string isbn : {"9784" + f[0], "4" + f[0]}) {
      isbn.resize(isbn[0] == '9' ? 13 : 10, '0');
      TBase book;
      book.Isbn = isbn;
      ASSERT_TRUE(LookupPublisher(book, kShipped));
      EXPECT_EQ(U8(book.Publisher), U8(f[1])) << isbn;
    }
  }

  Dictionary labels;
  ASSERT_TRUE(LoadLabelDictionary(labels, kShipped));
  for (const std::string& line : ShippedLines("LabelsDB.dat")) {
    const std::vector<std::string> f = Fields(line);
    ASSERT_EQ(f.size(), 3u) << U8(line);
    EXPECT_EQ(NormalizeDictionaryKey(f[1]), f[1]) << U8(line);
    TBase book;
    book.Publisher = f[0];
    book.Label = f[1];
    LookupLabel(book, labels);
    EXPECT_EQ(U8(book.Label), U8(f[2]));
  }
}

TEST(ExampleDictionaries, TheGuidesExamplesAsAPageWritesThem) {
  Dictionary authors;
  Dictionary labels;
  ASSERT_TRUE(LoadAuthorDictionary(authors, kShipped));
  ASSERT_TRUE(LoadLabelDictionary(labels, kShipped));

  const struct {
    const char* name;
    const char* expected;  // name|reading|extra
  } names[] = {
      {"緒方ハルキ", "緒方ハルキ|オガタハルキ|"},
      {"藤宮 湊", "藤宮湊|フジミヤミナト|"},
      {"柊　ちはや", "柊ちはや|ヒイラギチハヤ|"},
  };
  for (const auto& c : names) {
    const std::optional<AuthorEntry> hit = LookupAuthor(authors, Sj(c.name));
    ASSERT_TRUE(hit) << c.name;
    EXPECT_EQ(U8(hit->name + "|" + hit->reading + "|" + hit->extra), c.expected);
  }

  const struct {
    const char* isbn;
    const char* scrapedPublisher;
    const char* scrapedLabel;
    const char* publisher;
    const char* label;
  } books[] = {
      {"9784840241236", "メディアワークス", "電撃文庫", "アスキー・メディアワークス", "電撃文庫"},
      {"9784088735122", "集英社", "ジャンプ・コミックス", "集英社", "ジャンプコミックス"},
      {"9784889917123", "メディアファクトリー", "MFコミックス　フラッパーシリーズ", "メディアファクトリー",
       "MFコミックス フラッパーシリーズ"},
      {"4063841510", "講談社", "講談社コミックスマガジン", "講談社", "少年マガジンKC"},
  };
  for (const auto& c : books) {
    // As a found book is completed: the publisher first, then its label.
    TBase book;
    book.Isbn = c.isbn;
    book.Publisher = Sj(c.scrapedPublisher);
    book.Label = Sj(c.scrapedLabel);
    LookupPublisher(book, kShipped);
    LookupLabel(book, labels);
    EXPECT_EQ(U8(book.Publisher), c.publisher) << c.isbn;
    EXPECT_EQ(U8(book.Label), c.label) << c.isbn;
  }
}

}  // namespace
}  // namespace okuzuke
