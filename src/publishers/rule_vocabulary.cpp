#include "publishers/rule_vocabulary.h"

#include "text/book_size.h"
#include "text/markup.h"
#include "text/release_date.h"
#include "text/sjis.h"
#include "text/title.h"

namespace okuzuke::scraping {

TextStep Between(std::string_view start, std::string_view end) {
  return [start, end](std::string& text) { text = ExtractAfter(text, start, end); };
}

TextStep Before(std::string_view marker) {
  return [marker](std::string& text) { text = std::string(okuzuke::Before(text, marker)); };
}

TextStep BeforeLessOne(std::string_view marker) {
  return [marker](std::string& text) {
    std::size_t at = text.find(marker);
    text = (at == std::string::npos || at == 0) ? std::string() : text.substr(0, at - 1);
  };
}

TextStep After(std::string_view marker) { return Between(marker, {}); }

void Clean(std::string& text) {
  std::erase(text, '\t');
  if (Contains(text, "\r\n")) text = ReplaceAll(text, "\r\n", "");
}
void Strip(std::string& text) { text = StripMarkup(text); }
void TrimBlanks(std::string& text) { text = Trim(text); }
void ToAscii(std::string& text) { text = FullWidthAlnumToAscii(text); }
void BrToCrLf(std::string& text) { text = ReplaceAll(text, "<br>", "\r\n"); }

TextStep Remove(std::string_view part) { return Replace(part, {}); }

TextStep Replace(std::string_view from, std::string_view to) {
  return [from, to](std::string& text) { text = ReplaceAll(text, from, to); };
}

Store Into(std::string TBase::*field) {
  return [field](Scan& scan, const std::string& text) { scan.book.*field = text; };
}

Store Fixed(std::string TBase::*field, std::string_view value) {
  return [field, value](Scan& scan, const std::string&) { scan.book.*field = std::string(value); };
}

void SizeField(Scan& scan, const std::string& text) { NormalizeBookSize(scan.book, text); }
void DateFields(Scan& scan, const std::string& text) { ParseReleaseDate(scan.book, text); }

void TitleVolumeSubtitle(Scan& scan, const std::string& text) {
  scan.book.Subtitle = NormalizeTitle(scan.book, text);
}

Store Credits(std::string_view separator, std::string_view breakSeparator,
              std::string_view subSeparator) {
  return [=](Scan& scan, const std::string& text) {
    ParseAuthorCredits(scan.credits, text, separator, breakSeparator, subSeparator);
  };
}

Store CoverAt(std::string_view siteBase) {
  return [siteBase](Scan& scan, const std::string& path) {
    if (!path.empty()) scan.book.CoverUrl = std::string(siteBase) + "/" + path;
  };
}

void CoverAsIs(Scan& scan, const std::string& address) {
  if (!address.empty()) scan.book.CoverUrl = address;
}

Store DescriptionWith(std::string_view prefix) {
  return [prefix](Scan& scan, const std::string& text) {
    scan.book.Description = std::string(prefix) + text;
  };
}

void MarkFound(Scan& scan, const std::string&) { scan.found = true; }
void MarkDone(Scan& scan, const std::string&) { scan.done = true; }

Store IntoUnlessEmpty(std::string TBase::*field) {
  return [field](Scan& scan, const std::string& text) {
    if (!text.empty()) scan.book.*field = text;
  };
}

Store CoverAtUnless(std::string_view siteBase, std::string_view placeholder) {
  return [cover = CoverAt(siteBase), placeholder](Scan& scan, const std::string& path) {
    if (!Contains(path, placeholder)) cover(scan, path);
  };
}

bool WhenFoundWithTitle(const Scan& scan) { return scan.found && !scan.book.Title.empty(); }

}  // namespace okuzuke::scraping
