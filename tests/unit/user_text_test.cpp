#include "text/user_text.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "test_support.h"
#include "text/codepage.h"
#include "text/dictionaries.h"
#include "text/sjis.h"

namespace okuzuke {
namespace {

using test::Sj;

std::string Utf16Bytes(std::u16string_view units, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : units) {
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// The user's four files (in UTF-8 here, LF line ends), saved as Notepad saves them.
struct NamedText {
  const char* file;
  const char* text;
};
const NamedText kUserFiles[] = {
    {"Setting.ini", "; 設定\n[Entry]\nPurachaseSet=未購入\nTaxSet=1\nReadSet=未読\nFallback=ndl\nFallbackInterval=250\n"},
    {"AuthDB.dat", "|山田太郎|山田 太郎|ヤマダ タロウ|原作|\n"},
    {"PubDB.dat", "|08|集英社\n"},
    {"LabelsDB.dat", "|集英社|ｼﾞｬﾝﾌﾟｺﾐｯｸｽ|ジャンプ・コミックス\n"},
};

std::string Saved(std::string_view utf8, const std::string& encoding, bool crlf) {
  std::string text(utf8);
  if (crlf) text = JoinLines(SplitLines(text));
  if (encoding == "sjis") return Sj(text);
  if (encoding == "utf8") return text;
  if (encoding == "utf8-bom") return "\xEF\xBB\xBF" + text;
  return Utf16Bytes(Cp932ToUtf16(Sj(text)));
}

// What a run takes from the files in `dir`: settings and the three lookups.
std::vector<std::string> WhatARunReads(const test::TempDir& dir) {
  TBase book;
  book.Isbn = "9784088700001";
  book.Label = Sj("ジャンプコミックス");
  ApplyEntrySettings(book, dir.Path() + "Setting.ini");
  const FallbackSettings fallback = ReadFallbackSettings(dir.Path() + "Setting.ini");
  LookupPublisher(book, dir.Path());
  Dictionary labels, authors;
  LoadLabelDictionary(labels, dir.Path());
  LookupLabel(book, labels);
  LoadAuthorDictionary(authors, dir.Path());
  const AuthorEntry author = LookupAuthor(authors, Sj("山田・太郎")).value_or(AuthorEntry{});
  return {book.PurchaseStatus, book.TaxFlag,  book.ReadStatus,  fallback.catalogue ? "ndl" : "",
          std::to_string(fallback.intervalMs), book.Publisher, book.Label, author.name,
          author.reading,  author.extra};
}

TEST(UserText, EveryEncodingAndLineEndReadsAsTheShiftJisFile) {
  const std::vector<std::string> expected = {
      Sj("未購入"), "1", Sj("未読"), "ndl", "250", Sj("集英社"), Sj("ジャンプ・コミックス"),
      Sj("山田 太郎"), Sj("ヤマダ タロウ"), Sj("原作")};
  for (const std::string encoding : {"sjis", "utf8", "utf8-bom", "utf16"}) {
    for (bool crlf : {true, false}) {
      test::TempDir dir;
      for (const NamedText& file : kUserFiles) dir.Write(file.file, Saved(file.text, encoding, crlf));
      EXPECT_EQ(WhatARunReads(dir), expected) << encoding << (crlf ? " CR LF" : " LF");
    }
  }
}

TEST(UserText, Decoding) {
  struct Case {
    std::string bytes;
    TextEncoding encoding;
    std::vector<std::string> lines;  // written in UTF-8; none: the bytes split as ever
    std::vector<std::size_t> skipped;
  };
  const std::string sjis = Sj("|08|集英社\r\n|09|小学館");
  const Case cases[] = {
      // Shift-JIS, and bytes that are no well-formed UTF-8, split as always.
      {sjis, TextEncoding::ShiftJis, {"|08|集英社", "|09|小学館"}, {}},
      {"|08|集英社\r\n" + Sj("|09|小学館"), TextEncoding::ShiftJis, {}, {}},
      {"a\xC0\xAF\rb\xED\xA0\x80\nc\xE3\x81", TextEncoding::ShiftJis, {}, {}},
      // A character code page 932 lacks (Hangul, outside the BMP, broken
      // bytes after a mark, a unit cut off) skips its line only; "?" itself does not.
      {"|08|集英社\r|09|한국\r\n|10|?\n|11|𠮷", TextEncoding::Utf8, {"|08|集英社", "|09|??", "|10|?", "|11|?"}, {1, 3}},
      {"\xEF\xBB\xBFok\n\xFFok", TextEncoding::Utf8, {"ok", "?ok"}, {1}},
      {Utf16Bytes(u"[Entry]\r\n名前=山田\r\n") + "x", TextEncoding::Utf16Le, {"[Entry]", "名前=山田", "?"}, {2}},
      {Utf16Bytes(u"名前\n\n\xD800", true), TextEncoding::Utf16Be, {"名前", "", "?"}, {2}},
  };
  for (const Case& c : cases) {
    const UserText text = DecodeUserText(c.bytes);
    EXPECT_EQ(text.encoding, c.encoding) << c.bytes;
    std::vector<std::string> lines;
    for (const auto& line : c.lines) lines.push_back(Sj(line));
    EXPECT_EQ(text.lines, c.lines.empty() ? SplitLines(c.bytes) : lines) << c.bytes;
    EXPECT_EQ(text.skipped, c.skipped) << c.bytes;
  }
}

TEST(UserText, ASettingWithACharacterShiftJisLacksTakesItsDefault) {
  test::TempDir dir;
  const std::string path = dir.Write(
      "Setting.ini", "[Entry]\nPurachaseSet=한국\nTaxSet=1\n[설정]\nReadSet=未読\n");
  TBase book;
  ApplyEntrySettings(book, path);
  EXPECT_EQ(book.PurchaseStatus, Sj("購入"));
  EXPECT_EQ(book.TaxFlag, "1");
  EXPECT_EQ(book.ReadStatus, Sj("既読"));  // its section is not [Entry], though unreadable
}

}  // namespace
}  // namespace okuzuke
