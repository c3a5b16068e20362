// The fast forms of the page steps against their plain forms: line splitting,
// entity decoding in one pass, the one-pass marker search, in-place
// replacement. Each pair must agree on every input.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "page_entities.h"
#include "scraping/avx2.h"
#include "scraping/entities.h"
#include "scraping/marker_index.h"
#include "scraping/page_lines.h"
#include "test_support.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke::scraping {
namespace {

using namespace test_entities;

// Random texts over a small alphabet that makes the cases meet: entity
// pieces, markup, line ends, double-byte characters.
std::string RandomText(std::mt19937& random, std::size_t size) {
  static const std::vector<std::string> pieces = {
      "&", "amp;", "quot;", "lt;", "gt;", "nbsp;", "a", "b", "<", ">", "\r", "\n", "\r\n", " ", "\t",
      "<td>", "</td>", "\x82\xA0", "\x92\xE8\x89\xBF", "\x83\x7C", "|", ";", "\x82"};
  std::string text;
  while (text.size() < size) text += pieces[random() % pieces.size()];
  return text;
}

// The inputs the fuzzers keep, and the fixture pages.
std::vector<std::string> SavedInputs() {
  std::vector<std::string> inputs;
  for (const char* folder : {OKUZUKE_FIXTURES "/pages", OKUZUKE_FIXTURES "/../fuzz/corpus"})
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) inputs.push_back(test::Fixture(std::filesystem::relative(entry.path(), OKUZUKE_FIXTURES).string()));
  return inputs;
}

TEST(PagePipeline, LinesAreSplitLikeSplitLines) {
  std::mt19937 random(7);
  std::vector<std::string> texts = {"", "a", "\r", "\n", "\r\n", "a\r\nb", "a\r\n", "a\n\rb", "\r\r\n\n"};
  for (int n = 0; n < 300; ++n) texts.push_back(RandomText(random, random() % 200));
  for (const std::string& saved : SavedInputs()) texts.push_back(saved);
  for (bool avx2 : {true, false}) {
    SetAvx2InUse(avx2);
    for (const std::string& text : texts) {
      const std::vector<std::string> expected = SplitLines(text);
      const PageLines page(text);
      ASSERT_EQ(page.Count(), static_cast<std::ptrdiff_t>(expected.size())) << test::U8(text);
      for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(page[static_cast<std::ptrdiff_t>(i)], expected[i]);
      EXPECT_EQ(WithCrLfLineEnds(text), JoinLines(expected));
    }
  }
  SetAvx2InUse(true);
}

// Line ends made CR LF in place, with the room a page is read with and with
// none (the text then moves to a buffer of its own).
TEST(PagePipeline, CrLfLineEndsInPlace) {
  std::mt19937 random(5);
  std::vector<std::string> texts = {"", "a", "a\nb\r", "\n\n\n\n", "\r\n\r\n", std::string(40, 'a') + "\r\nb\n\r"};
  for (int n = 0; n < 300; ++n) texts.push_back(RandomText(random, random() % 300));
  for (const std::string& text : texts) {
    const std::string expected = JoinLines(SplitLines(text));
    for (bool room : {true, false}) {
      SetAvx2InUse(room);  // each way of scanning, once
      std::string inPlace;
      inPlace.reserve(text.size() + (room ? CrLfRoom(text.size()) : 0));
      inPlace = text;
      ToCrLfLineEnds(inPlace);
      ASSERT_EQ(inPlace, expected) << test::U8(text);
    }
  }
  SetAvx2InUse(true);
}

TEST(PagePipeline, EntitiesInOnePassAsInTurn) {
  const std::vector<std::vector<Entity>> lists = {
      {kAmp, kQuot}, {kAmp, kQuot, kLt, kGt}, {kAmp, kQuot, kLt, kGt, {"&nbsp;", ""}},
      {kLt, kAmp, kGt}, {{"&nbsp;", ""}, kLt}};  // the last one takes the plain form
  std::mt19937 random(11);
  std::vector<std::string> texts = SavedInputs();
  for (int n = 0; n < 2000; ++n) texts.push_back(RandomText(random, random() % 80));
  for (const auto& entities : lists) {
    for (const std::string& text : texts) {
      std::string onePass = text, inTurn = text;
      DecodeEntities(onePass, entities);
      DecodeEntitiesInTurn(inTurn, entities);
      ASSERT_EQ(onePass, inTurn) << test::U8(text.substr(0, 200));
    }
  }
}

TEST(PagePipeline, MarkerSearchFindsWhatEachLineHolds) {
  const std::vector<std::string_view> texts = {
      "<title>", "<td>", "td", "\x92\xE8\x89\xBF", "a", "&quot;", "<td class=\"x\">", "\x83\x7C|", "b>", ">"};
  std::mt19937 random(13);
  std::vector<std::string> pages = SavedInputs();
  for (int n = 0; n < 300; ++n) pages.push_back(RandomText(random, random() % 600));
  const MarkerSearch search(texts);
  for (const std::string& text : pages) {
    const PageLines page(text);
    const auto expected = MarkerSearch::SearchEachLine(texts, page);
    EXPECT_EQ(search.LinesHolding(page), expected) << test::U8(text.substr(0, 200));
    SetAvx2InUse(false);
    EXPECT_EQ(search.LinesHolding(page), expected);
    SetAvx2InUse(true);
  }
}

TEST(PagePipeline, ReplaceInPlaceAsReplaceAll) {
  std::mt19937 random(17);
  const std::vector<std::pair<std::string, std::string>> replacements = {
      {"ab", ""}, {"ab", "x"}, {"a", "ab"}, {"\r\n", ""}, {"<br>", "\r\n"}, {"aa", "a"}};
  for (int n = 0; n < 500; ++n) {
    std::string text;
    for (int k = random() % 30; k > 0; --k) text += "ab<r>\r\n"[random() % 7];
    for (const auto& [from, to] : replacements) {
      std::string inPlace = text;
      ReplaceAllIn(inPlace, from, to);
      EXPECT_EQ(inPlace, ReplaceAll(text, from, to));
    }
  }
}

}  // namespace
}  // namespace okuzuke::scraping
