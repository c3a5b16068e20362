#include "text/credits.h"

#include <gtest/gtest.h>

#include <random>

#include "test_support.h"
#include "text/credit_roles.h"
#include "text/sjis.h"

namespace okuzuke {
namespace {

using test::Sj;
using test::U8;

std::vector<std::string> Utf8Entries(const CreditList& list) {
  std::vector<std::string> out;
  for (const auto& entry : list.Entries()) out.push_back(U8(entry));
  return out;
}

TEST(CreditRoles, LongerWordsComeBeforeTheWordsTheyContain) {
  ASSERT_EQ(kCreditRoles.size(), 52u);
  // A later pattern that holds an earlier one could never be chosen.
  for (std::size_t i = 0; i < kCreditRoles.size(); ++i) {
    for (std::size_t j = i + 1; j < kCreditRoles.size(); ++j) {
      EXPECT_FALSE(Contains(kCreditRoles[j].pattern, kCreditRoles[i].pattern))
          << U8(kCreditRoles[j].pattern) << " after " << U8(kCreditRoles[i].pattern);
    }
  }
}

// One name per credit ("Dummy" never occurs), so each row shows one role.
TEST(ParseAuthorCredits, RecognisesTheRoleOfOneName) {
  struct Case {
    const char* credit;
    const char* entry;  // "" when nothing is added
  } cases[] = {
      {"監修：田中一郎", "4田中一郎 [監修]"},
      {"山田", "0山田"},
      {"著者 山田", "1山田"},
      {"編・著：山田", "9山田[編・著]"},  // rows 2 and 3 have no blank before the label
      // "著" alone counts only as a whole word at the start or end.
      {"著　山田", "1山田"},
      {"山田 著", "1山田"},
      {"山田著", "1山田"},
      {"著山田", "0著山田"},
      {"画 山田", "1山田"},
      {"山田 画", "1山田"},
      {"山田画", "0山田画"},
      {"イラスト/作画 山田", "2山田"},  // before "作画" (1) and "イラスト" (2)
      {"作画 山田", "1山田"},
      {"原作者 山田", "2山田"},  // before "原作", which would leave "者"
      {"作 山田", "2山田"},
      {"山田（画）", "2山田"},
      {"山田【著】", "1山田"},
      {"キャラクター原案：山田", "3山田 [キャラクター原案]"},
      {"ストーリー原案：山田", "3山田 [ストーリー原案]"},
      {"原案：山田", "3山田 [原案]"},
      {"監修他：山田", "4山田 [監修他]"},
      {"翻訳：山田", "5山田 [翻訳]"},
      {"訳：山田", "5山田 [訳]"},
      {"山田 訳", "5山田 [訳]"},
      {"山田（訳）", "5山田 [訳]"},
      {"構成・編集：山田", "9山田 [構成・編集]"},
      {"編集 山田", "9山田 [編集]"},
      {"編：山田", "9山田 [編]"},
      {"山田（編）", "9山田 [編]"},
      {"その他：山田", "9山田その他"},
      // A role word just before a reading in brackets leaves the bracket.
      {"山田 著［やまだ］", "1山田 ［やまだ］"},
      {"山田作［やまだ］", "2山田［やまだ］"},
      {"山田訳［やまだ］", "5山田［やまだ］ [訳]"},
      {"山田 編［やまだ］", "9山田［やまだ］ [編]"},
      {"山田［原作］", "2山田［］"},
      // Cleaning of the name.
      {"・佐藤", "0佐藤"},
      {"佐藤・", "0佐藤"},
      {"<a href=\"x\">山田</a>", "0山田"},
      {"ＡＢｃ　１", "0ABc 1"},
      {"山田！", "0山田!"},
      {"山田（）", "0山田"},
      {"他", ""},
      {"・", ""},
      {"   ", ""},
      // A yen sign in the credit is kept as a backslash, never a break;
      // 早春 holds the bytes of ￥ across its two kanji.
      {"山田￥佐藤", "0山田\\佐藤"},
      {"早春", "0早春"},
      {"早春 著", "1早春"},
  };
  for (const auto& c : cases) {
    CreditList list(false);
    int added = ParseAuthorCredits(list, Sj(c.credit), "Dummy", "Dummy", "");
    std::vector<std::string> expected;
    if (*c.entry) expected.push_back(c.entry);
    EXPECT_EQ(Utf8Entries(list), expected) << c.credit;
    EXPECT_EQ(added, static_cast<int>(expected.size())) << c.credit;
  }
}

TEST(ParseAuthorCredits, SplitsAtSeparatorsAndSubSeparators) {
  struct Case {
    const char* credit;
    const char* separator;
    const char* subSeparator;
    std::vector<std::string> entries;
  } cases[] = {
      {"原作：山田　漫画：佐藤", "　", "", {"2山田", "1佐藤"}},
      {"山田・佐藤・他", "・", "", {"0山田", "0佐藤"}},
      {"山田 / 佐藤 /", "/", "", {"0山田", "0佐藤"}},
      {"山田", "/", "", {"0山田"}},
      {"監修：山田、佐藤、ほか", "Dummy", "、", {"4山田 [監修]", "4佐藤 [監修]"}},
      {"原作：山田、佐藤/漫画：鈴木", "/", "、", {"2山田", "2佐藤", "1鈴木"}},
      {"山田、 、佐藤", "Dummy", "、", {"0山田", "0佐藤"}},
      {"<br>山田<br>佐藤", "<br>", "", {"0山田", "0佐藤"}},
  };
  for (const auto& c : cases) {
    CreditList list(false);
    int added = ParseAuthorCredits(list, Sj(c.credit), Sj(c.separator), Sj(c.separator),
                                   Sj(c.subSeparator));
    EXPECT_EQ(Utf8Entries(list), c.entries) << c.credit;
    EXPECT_EQ(added, static_cast<int>(c.entries.size())) << c.credit;
  }
}

TEST(AsciiCreditPunctuation, OnePassGivesWhatEachReplaceInTurnGives) {
  const std::pair<const char*, const char*> inTurn[] = {{"（", "("}, {"）", ")"}, {"！", "!"}, {"〔", " "},
                                                        {"〕", " "}, {"：", " "}, {"／", " "}, {"　", " "}};
  // Lead and trail bytes of the signs and their neighbours, in any order.
  const std::string bytes = Sj("（）！〔〕：／　・") + "\x81\x81" "a(";
  std::mt19937 random(17);
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    for (int k = static_cast<int>(random() % 12); k > 0; --k) text += bytes[random() % bytes.size()];
    std::string expected = text, onePass = text;
    for (const auto& [from, to] : inTurn) ReplaceAllIn(expected, Sj(from), to);
    AsciiCreditPunctuation(onePass);
    ASSERT_EQ(onePass, expected) << U8(text);
  }
}

TEST(CreditList, SortedListOrdersByDigitAndDropsCaseInsensitiveDuplicates) {
  CreditList sorted(true);
  CreditList unsorted(false);
  for (CreditList* list : {&sorted, &unsorted}) {
    ParseAuthorCredits(*list, Sj("監修：Bob"), "Dummy", "Dummy", "");
    ParseAuthorCredits(*list, Sj("原作：山田　漫画：佐藤　鈴木"), Sj("　"), Sj("　"), "");
    ParseAuthorCredits(*list, Sj("監修：BOB"), "Dummy", "Dummy", "");
    ParseAuthorCredits(*list, Sj("漫画：佐藤"), "Dummy", "Dummy", "");
  }
  EXPECT_EQ(Utf8Entries(sorted),
            (std::vector<std::string>{"0鈴木", "1佐藤", "2山田", "4Bob [監修]"}));
  EXPECT_EQ(Utf8Entries(unsorted), (std::vector<std::string>{"4Bob [監修]", "2山田", "1佐藤",
                                                            "0鈴木", "4BOB [監修]", "1佐藤"}));
  // Only single-byte letters fold: ア and ヂ differ in the case bit of their trail byte.
  EXPECT_TRUE(sorted.Add(Sj("1ア")));
  EXPECT_TRUE(sorted.Add(Sj("1ヂ")));
  EXPECT_FALSE(sorted.Add(Sj("1ア")));
  EXPECT_FALSE(sorted.Add(Sj("4bob [監修]")));
  EXPECT_TRUE(sorted.Add(Sj("4bo")));
  EXPECT_EQ(sorted.Entries().size(), 7u);
  EXPECT_EQ(U8(sorted.Entries()[5]), "4bo");
}

TEST(ParseAuthorCredits, DuplicateRejectedBySortedListIsNotCounted) {
  CreditList list(true);
  EXPECT_EQ(ParseAuthorCredits(list, Sj("山田・山田・佐藤"), Sj("・"), Sj("・"), ""), 2);
}

struct Authors {
  const char* first;
  const char* firstReading;
  const char* second;
  const char* secondReading;
  const char* others;
  const char* field64;
};

void ExpectAuthors(const TBase& book, const Authors& expected, const std::string& context) {
  EXPECT_EQ(U8(book.Author1), expected.first) << context;
  EXPECT_EQ(U8(book.Author1Reading), expected.firstReading) << context;
  EXPECT_EQ(U8(book.Author2), expected.second) << context;
  EXPECT_EQ(U8(book.Author2Reading), expected.secondReading) << context;
  EXPECT_EQ(U8(book.OtherAuthors), expected.others) << context;
  EXPECT_EQ(U8(book.Field64), expected.field64) << context;
}

TEST(AssignAuthors, FillsFirstSecondThenOthers) {
  struct Case {
    std::vector<const char*> entries;
    std::string separator;
    Authors expected;
  } cases[] = {
      {{"1山田", "1佐藤", "2鈴木", "4田中 [監修]"}, "",
       {"山田", "", "佐藤", "", "鈴木\r\n田中 [監修]", ""}},
      {{"1山田", "1佐藤", "2鈴木", "2田中"}, "x", {"山田", "", "佐藤", "", "x鈴木\r\nx田中", ""}},
      // Names already present, also as a part of a longer one, are skipped.
      {{"1山田太郎", "1山田", "2太郎", "2佐藤", "3佐藤"}, "", {"山田太郎", "", "佐藤", "", "", ""}},
      // A reading in brackets is cut off the name; what follows it goes too.
      {{"1山田［やまだ］", "4佐藤［さとう］ [監修]"}, "",
       {"山田", "やまだ", "佐藤", "さとう", "", ""}},
      {{"2山田［やまだ"}, "", {"山田", "やまだ", "", "", "", ""}},
      // The blank a role word left before the bracket is not part of the name.
      {{"2山田 ［やまだ］", "1山田"}, "", {"山田", "やまだ", "", "", "", ""}},
      {{}, "", {"", "", "", "", "", ""}},
  };
  for (const auto& c : cases) {
    CreditList list(false);
    for (const char* entry : c.entries) list.Add(Sj(entry));
    TBase book;
    EXPECT_EQ(AssignAuthors(book, list, Dictionary(), true, true, true, Sj(c.separator)), 1);
    ExpectAuthors(book, c.expected, c.entries.empty() ? "" : c.entries[0]);
  }
}

TEST(AssignAuthors, SwitchesAndEarlierValues) {
  CreditList list(false);
  list.Add(Sj("1山田"));
  list.Add(Sj("1佐藤"));

  TBase book;
  AssignAuthors(book, list, Dictionary(), false, true, false, "");
  ExpectAuthors(book, {"", "", "山田", "", "", ""}, "second only");

  TBase others;
  AssignAuthors(others, list, Dictionary(), false, false, true, "");
  ExpectAuthors(others, {"", "", "", "", "山田\r\n佐藤", ""}, "others only");

  TBase preset;
  preset.Author1 = Sj("既存");
  preset.OtherAuthors = Sj("\r\n  前から  \r\n");
  AssignAuthors(preset, CreditList(true), Dictionary(), true, true, true, "");
  ExpectAuthors(preset, {"既存", "", "", "", "前から", ""}, "empty list trims");
}

TEST(AssignAuthors, DictionaryGivesNameReadingAndExtra) {
  Dictionary authors;
  authors.Assign({Sj("|やまだ|山田太郎|ヤマダ|EX1|"), Sj("|さとう|佐藤花子||EX2|"),
                  Sj("|すずき|山田太郎|スズキ||")});
  struct Case {
    std::vector<const char*> entries;
    Authors expected;
  } cases[] = {
      // The dictionary reading wins over the bracket reading; only the first
      // author's extra value is stored.
      {{"1や・ま　だ［やまだ］", "4さとう［サトウ］ [監修]"},
       {"山田太郎", "ヤマダ", "佐藤花子", "サトウ", "", "EX1"}},
      {{"1さとう［サトウ］"}, {"佐藤花子", "サトウ", "", "", "", "EX2"}},
      {{"1未登録"}, {"未登録", "", "", "", "", ""}},
      // Two keys that lead to the same name give one author.
      {{"1やまだ", "1すずき", "1佐藤"}, {"山田太郎", "ヤマダ", "佐藤", "", "", "EX1"}},
  };
  for (const auto& c : cases) {
    CreditList list(false);
    for (const char* entry : c.entries) list.Add(Sj(entry));
    TBase book;
    book.Field64 = "old";
    AssignAuthors(book, list, authors, true, true, true, "");
    ExpectAuthors(book, c.expected, c.entries[0]);
  }
}

// A "credit line" of tens of thousands of names (a damaged page) is cut at
// the list's capacity instead of taking quadratic time to sort and assign.
TEST(CreditList, HugeCreditLinesStayBounded) {
  std::string names;
  for (int i = 0; i < 50000; ++i) names += "N" + std::to_string(i) + "/";
  for (bool sorted : {false, true}) {
    CreditList list(sorted);
    EXPECT_EQ(ParseAuthorCredits(list, names, "/", "/", ""), static_cast<int>(CreditList::kMaxEntries));
    TBase book;
    AssignAuthors(book, list, Dictionary(), true, true, true, "");
    EXPECT_FALSE(book.Author1.empty());
  }
}

}  // namespace
}  // namespace okuzuke
