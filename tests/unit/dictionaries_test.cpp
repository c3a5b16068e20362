#include "text/dictionaries.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

TEST(Dictionary, TextIsEveryLineFollowedByCrLf) {
  Dictionary dictionary;
  dictionary.Assign({"|a|1", "", "|b|2"});
  EXPECT_EQ(dictionary.Text(), "|a|1\r\n\r\n|b|2\r\n");
  dictionary.Clear();
  EXPECT_TRUE(dictionary.Empty());
  EXPECT_EQ(dictionary.Text(), "");
}

TEST(Dictionary, MissingFileLoadsEmptyAndClearsEarlierContent) {
  test::TempDir dir;
  Dictionary authors;
  Dictionary labels;
  dir.Write("AuthDB.dat", "|a|A|r|x|\r\n");
  dir.Write("LabelsDB.dat", "|P|k|K\r\n");
  EXPECT_TRUE(LoadAuthorDictionary(authors, dir.Path()));
  EXPECT_TRUE(LoadLabelDictionary(labels, dir.Path()));
  EXPECT_EQ(authors.Lines().size(), 1u);
  EXPECT_EQ(labels.Text(), "|P|k|K\r\n");

  test::TempDir empty;
  EXPECT_FALSE(LoadAuthorDictionary(authors, empty.Path()));
  EXPECT_FALSE(LoadLabelDictionary(labels, empty.Path()));
  EXPECT_TRUE(authors.Empty());
  EXPECT_TRUE(labels.Empty());

  LoadAuthorDictionary(authors, dir.Path());
  FreeAuthorDictionary(authors);
  EXPECT_TRUE(authors.Empty());
}

// The index answers as the search of the whole text would: the first place
// in file order, a field anywhere in a line, "|" inside double-byte
// characters ("ポ" ends in the byte "|"), lines without their last "|".
TEST(Dictionary, FindFieldAsTheWholeTextSearch) {
  std::mt19937 random(19);
  const std::vector<std::string> pieces = {"|", "a", "b", Sj("ポ"), Sj("山田"), "", "x|y"};
  for (int n = 0; n < 300; ++n) {
    std::vector<std::string> lines;
    for (int l = random() % 6; l > 0; --l) {
      std::string line;
      for (int k = random() % 8; k > 0; --k) line += pieces[random() % pieces.size()];
      lines.push_back(line);
    }
    Dictionary dictionary;
    dictionary.Assign(lines);
    for (const std::string& field : {std::string("a"), std::string("ab"), Sj("ポ"), Sj("山田"), std::string(""),
                                     std::string("a|b"), std::string("\x83"), std::string("x|y")}) {
      const std::size_t at = dictionary.Text().find("|" + field + "|");
      EXPECT_EQ(dictionary.FindField(field), at == std::string::npos ? std::nullopt : std::optional(at));
    }
  }
}

// A file is read again when it changed, not otherwise; a file that went
// away leaves the dictionary empty.
TEST(Dictionary, AnEditTakesEffectAtTheNextLoad) {
  test::TempDir dir;
  Dictionary authors;
  dir.Write("AuthDB.dat", "|a|A|r|x|\r\n");
  ASSERT_TRUE(LoadAuthorDictionary(authors, dir.Path()));
  EXPECT_EQ(LookupAuthor(authors, "a")->name, "A");
  EXPECT_TRUE(LoadAuthorDictionary(authors, dir.Path()));
  EXPECT_EQ(LookupAuthor(authors, "a")->name, "A");
  dir.Write("AuthDB.dat", "|a|Aa|r|x|\r\n");
  ASSERT_TRUE(LoadAuthorDictionary(authors, dir.Path()));
  EXPECT_EQ(LookupAuthor(authors, "a")->name, "Aa");
  std::remove((dir.Path() + "AuthDB.dat").c_str());
  EXPECT_FALSE(LoadAuthorDictionary(authors, dir.Path()));
  EXPECT_FALSE(LookupAuthor(authors, "a"));
}

TEST(LookupPublisher, TriesTwoToSixDigitCodesShortestFirst) {
  struct Case {
    const char* isbn;
    const char* pubDb;  // UTF-8
    const char* expected;
  } cases[] = {
      // Codes after "9784": 06, 063, 0630, 06300, 063000.
      {"9784063000001", "|063000|六桁\r\n", "六桁"},
      {"9784063000001", "|06300|五桁\r\n|063000|六桁\r\n", "五桁"},
      {"9784063000001", "|063|三桁\r\n|06|二桁\r\n", "二桁"},  // shorter wins over file order
      {"9784063000001", "|0630|四桁|余り\r\n", "四桁|余り"},   // the rest of the line
      {"9784063000001", "x|06|途中\r\n", "途中"},              // a key may stand anywhere
      {"9784063000001", "|6|一\r\n|0631|違う\r\n", "元"},
      // The 10-digit form takes its codes from the second character.
      {"4063000001", "|063|講談社\r\n", "講談社"},
      {"4063000001", "|406|違う\r\n", "元"},
      // Codes that would run past the end are not tried.
      {"978406", "|06|二桁\r\n", "二桁"},
      {"97840", "|0|一\r\n|0\r\n", "元"},
      {"9784", "||空\r\n", "元"},
      {"", "||空\r\n", "元"},
      {"1234567890", "|23|x\r\n", "元"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    dir.Write("PubDB.dat", Sj(c.pubDb));
    TBase book;
    book.Isbn = c.isbn;
    book.Publisher = Sj("元");
    EXPECT_TRUE(LookupPublisher(book, dir.Path()));
    EXPECT_EQ(U8(book.Publisher), c.expected) << c.isbn << " / " << c.pubDb;
  }
}

TEST(LookupPublisher, MissingFileLeavesPublisher) {
  test::TempDir dir;
  TBase book;
  book.Isbn = "9784063000001";
  book.Publisher = Sj("小学館");
  EXPECT_FALSE(LookupPublisher(book, dir.Path()));
  EXPECT_EQ(book.Publisher, Sj("小学館"));
}

TEST(NormalizeDictionaryKey, FoldsToTheFormKeysAreWrittenIn) {
  struct Case {
    const char* text;
    const char* key;
  } cases[] = {
      {"山田・太郎", "山田太郎"},
      {"☆ほし★の♪", "ほしの"},
      {"ニシ", "二ｼ"},  // katakana ニ becomes the kanji, not half-width ﾆ
      {"  a b  c ", "abc"},
      {"ｰｰ", "--"},
      {"寛晴芦", "寛晴芦"},  // their trail byte is 0xB0, the byte of ｰ
      {"\t山田\r\n", "山田"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(U8(NormalizeDictionaryKey(Sj(c.text))), c.key) << c.text;
  }
}

TEST(NormalizeDictionaryKey, UsesHalfWidthForms) {
  EXPECT_EQ(U8(NormalizeDictionaryKey(Sj("コミックス　ＤＸ"))), "ｺﾐｯｸｽDX");
  EXPECT_EQ(U8(NormalizeDictionaryKey(Sj("ルーキー"))), "ﾙ-ｷ-");
}

TEST(LookupLabel, SearchesPublisherAndNormalisedLabel) {
  struct Case {
    const char* labelsDb;
    const char* publisher;
    const char* label;
    const char* expected;
  } cases[] = {
      {"|講談社|ｺﾐｯｸｽ|講談社コミックス\r\n", "講談社", "コミックス", "講談社コミックス"},
      {"|講談社|ABC|エービーシー\r\n", "講談社", "Ａ・Ｂ Ｃ", "エービーシー"},
      {"|講談社|ABC|一\r\n|講談社|ABC|二\r\n", "講談社", "ABC", "一"},
      {"|集英社|ABC|違う\r\n", "講談社", "ABC", "ABC"},
      {"", "講談社", "ABC", "ABC"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    dir.Write("LabelsDB.dat", Sj(c.labelsDb));
    Dictionary labels;
    LoadLabelDictionary(labels, dir.Path());
    TBase book;
    book.Publisher = Sj(c.publisher);
    book.Label = Sj(c.label);
    EXPECT_EQ(LookupLabel(book, labels), 1);
    EXPECT_EQ(U8(book.Label), c.expected) << c.labelsDb;
  }
}

TEST(LookupAuthor, SplitsTheValueIntoNameReadingAndExtra) {
  Dictionary authors;
  authors.Assign({Sj("|やまだ|山田太郎|ヤマダタロウ|X1|"), Sj("|佐藤|佐藤花子||"),
                  Sj("|鈴木|鈴木一|スズキ|E"), Sj("|次|次郎|ジロウ|E2|")});
  struct Case {
    const char* name;
    bool hit;
    const char* entryName;
    const char* reading;
    const char* extra;
  } cases[] = {
      {"やまだ", true, "山田太郎", "ヤマダタロウ", "X1"},
      {"や・ま だ", true, "山田太郎", "ヤマダタロウ", "X1"},  // the name is normalised first
      {"佐藤", true, "佐藤花子", "", ""},
      // Without its closing "|" a line reads on into the next one.
      {"鈴木", true, "鈴木一", "スズキ", "E\r\n"},
      {"山田", false, "", "", ""},
  };
  for (const auto& c : cases) {
    std::optional<AuthorEntry> entry = LookupAuthor(authors, Sj(c.name));
    ASSERT_EQ(entry.has_value(), c.hit) << c.name;
    if (!c.hit) continue;
    EXPECT_EQ(U8(entry->name), c.entryName) << c.name;
    EXPECT_EQ(U8(entry->reading), c.reading) << c.name;
    EXPECT_EQ(U8(entry->extra), c.extra) << c.name;
  }
}

TEST(LookupAuthor, KeyMayMatchAnyFieldOfALine) {
  Dictionary authors;
  authors.Assign({Sj("|やまだ|山田太郎|ヤマダ|X|")});
  std::optional<AuthorEntry> entry = LookupAuthor(authors, Sj("山田太郎"));
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(U8(entry->name), "ヤマダ");
  EXPECT_EQ(U8(entry->reading), "X");
}

TEST(LookupAuthor, EmptyKeyNeverMatches) {
  Dictionary authors;
  authors.Assign({Sj("|key|名前||extra|")});
  EXPECT_FALSE(LookupAuthor(authors, "").has_value());
  EXPECT_FALSE(LookupAuthor(authors, Sj("・ ☆")).has_value());
}

}  // namespace
}  // namespace okuzuke
