#include "core/settings.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "text/sjis.h"
#include "text/sjis_literal.h"
#include "text/user_text.h"

namespace okuzuke {

namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return std::string(value.substr(1, value.size() - 2));
  return std::string(value);
}

constexpr std::string_view kEntry = "Entry";
constexpr std::string_view kPurchased = "購入"_sjis;
constexpr std::string_view kRead = "既読"_sjis;

}  // namespace

std::optional<std::string> IniValue(std::string_view iniText, std::string_view section,
                                    std::string_view key) {
  bool inSection = false;
  for (const std::string& raw : SplitLines(iniText)) {
    std::string_view line = TrimView(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      std::string_view name = close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
      inSection = EqualsIgnoringAsciiCase(TrimView(name), section);
      continue;
    }
    if (!inSection) continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (EqualsIgnoringAsciiCase(TrimView(line.substr(0, eq)), key))
      return Unquoted(TrimView(line.substr(eq + 1)));
  }
  return std::nullopt;
}

std::string SettingsText(const std::string& settingsPath) {
  std::optional<UserText> text = ReadUserTextFile(settingsPath);
  if (!text) return std::string();
  std::vector<std::string> lines;
  lines.reserve(text->lines.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < text->lines.size(); ++i) {
    const bool skipped = next < text->skipped.size() && text->skipped[next] == i;
    next += skipped;
    const std::string_view line = TrimView(text->lines[i]);
    if (!skipped || (!line.empty() && line[0] == '[')) lines.push_back(std::move(text->lines[i]));
  }
  return JoinLines(lines);
}

void ApplyEntrySettings(TBase& book, const std::string& settingsPath) {
  const std::string ini = SettingsText(settingsPath);
  auto read = [&](std::string& field, std::string_view key, std::string_view fallback) {
    if (field.empty()) field = IniValue(ini, kEntry, key).value_or(std::string(fallback));
  };
  read(book.PurchaseStatus, "PurachaseSet", kPurchased);
  read(book.TaxFlag, "TaxSet", "0");
  read(book.TaxFlag2, "TaxSet", "0");
  read(book.ReadStatus, "ReadSet", kRead);
}

FallbackSettings ReadFallbackSettings(const std::string& settingsPath) {
  const std::string ini = SettingsText(settingsPath);
  FallbackSettings settings;
  settings.catalogue = EqualsIgnoringAsciiCase(IniValue(ini, kEntry, "Fallback").value_or(""), "ndl");
  if (auto text = IniValue(ini, kEntry, "FallbackInterval")) {
    long long ms = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), ms);
    if (ec == std::errc::result_out_of_range && !text->empty() && (*text)[0] != '-') {
      settings.intervalMs = kMaxFallbackIntervalMs;
    } else if (ec == std::errc() && end == text->data() + text->size() && ms >= 0) {
      settings.intervalMs = static_cast<int>(std::min<long long>(ms, kMaxFallbackIntervalMs));
    }
  }
  return settings;
}

}  // namespace okuzuke
