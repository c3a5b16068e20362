#include "core/settings.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;

TEST(Settings, DefaultsWithoutFileOrSection) {
  test::TempDir dir;
  const std::string noSection = dir.Write("NoEntry.ini", "[Other]\r\nReadSet=x\r\n");
  for (const std::string& path : {dir.Path() + "Missing.ini", noSection}) {
    TBase book;
    ApplyEntrySettings(book, path);
    EXPECT_EQ(book.PurchaseStatus, Sj("購入")) << path;
    EXPECT_EQ(book.TaxFlag, "0");
    EXPECT_EQ(book.TaxFlag2, "0");
    EXPECT_EQ(book.ReadStatus, Sj("既読"));
  }
}

TEST(Settings, ValuesFromTheEntrySectionFillOnlyEmptyFields) {
  test::TempDir dir;
  const std::string path = dir.Write(
      "Setting.ini", Sj("; user settings\r\n[entry]\r\n PurachaseSet = 予約 \r\nTaxSet=\"1\"\r\n"
                        "[Other]\r\nReadSet=x\r\n"));
  TBase book;
  book.TaxFlag2 = "9";
  ApplyEntrySettings(book, path);
  EXPECT_EQ(book.PurchaseStatus, Sj("予約"));
  EXPECT_EQ(book.TaxFlag, "1");
  EXPECT_EQ(book.TaxFlag2, "9");
  EXPECT_EQ(book.ReadStatus, Sj("既読"));  // ReadSet is in another section
}

TEST(Settings, IniValueLookup) {
  const char* ini = "[A]\nk=1\n[B]\nk = two\nempty=\n";
  EXPECT_EQ(IniValue(ini, "a", "K"), "1");
  EXPECT_EQ(IniValue(ini, "B", "k"), "two");
  EXPECT_EQ(IniValue(ini, "B", "empty"), "");
  EXPECT_FALSE(IniValue(ini, "C", "k"));
  EXPECT_FALSE(IniValue(ini, "A", "missing"));
}

TEST(Settings, FallbackSettings) {
  struct Case {
    const char* entry;
    bool catalogue;
    int intervalMs;
  } cases[] = {
      {"", false, 1000},
      {"Fallback=ndl\r\n", true, 1000},
      {"fallback = NDL \r\nFallbackInterval=250\r\n", true, 250},
      {"Fallback=ndl2\r\nFallbackInterval=0\r\n", false, 0},
      {"Fallback=cinii\r\nFallbackInterval=1s\r\n", false, 1000},
      {"FallbackInterval=-5\r\n", false, 1000},
      {"FallbackInterval=99999999999999999999\r\n", false, kMaxFallbackIntervalMs},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.Write("Setting.ini", std::string("[Entry]\r\n") + c.entry);
    FallbackSettings settings = ReadFallbackSettings(path);
    EXPECT_EQ(settings.catalogue, c.catalogue) << c.entry;
    EXPECT_EQ(settings.intervalMs, c.intervalMs) << c.entry;
  }
  EXPECT_FALSE(ReadFallbackSettings(dir.Path() + "Missing.ini").catalogue);
}

}  // namespace
}  // namespace okuzuke
