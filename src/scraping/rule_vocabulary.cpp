#include "scraping/rule_vocabulary.h"

#include <algorithm>
#include <cstring>

#include "text/book_size.h"
#include "text/markup.h"
#include "text/release_date.h"
#include "text/sjis.h"
#include "text/title.h"

namespace okuzuke::scraping {

// The steps that cut keep their part of the text where it is: no new string.
TextStep Between(std::string_view start, std::string_view end) {
  return [start, end](std::string& text) {
    const std::size_t hit = text.find(start);
    if (hit == std::string::npos) return text.clear();
    const std::size_t from = hit + start.size();
    if (!end.empty()) text.erase(std::min(text.find(end, from), text.size()));
    text.erase(0, from);
  };
}

TextStep Before(std::string_view marker) {
  return [marker](std::string& text) {
    const std::size_t at = text.find(marker);
    text.erase(at == std::string::npos ? 0 : at);  // nothing when the marker is missing
  };
}

TextStep BeforeLessOne(std::string_view marker) {
  return [marker](std::string& text) {
    const std::size_t at = text.find(marker);
    text.erase(at == std::string::npos || at == 0 ? 0 : at - 1);
  };
}

TextStep After(std::string_view marker) { return Between(marker, {}); }

TextStep From(std::string_view marker) { return FromPartOf(marker, marker); }

TextStep FromPartOf(std::string_view marker, std::string_view part) {
  const std::size_t within = marker.find(part);
  return [marker, within](std::string& text) {
    const std::size_t at = text.find(marker);
    text.erase(0, at == std::string::npos ? std::string::npos : at + within);
  };
}

TextStep UpTo(std::string_view marker) {
  return [marker](std::string& text) {
    std::size_t at = text.find(marker);
    if (at != std::string::npos) text.erase(at);
  };
}

TextStep DropThenKeep(std::size_t skip, std::size_t keep) {
  return [skip, keep](std::string& text) {
    text.erase(0, skip);
    if (keep < text.size()) text.erase(keep);
  };
}

void Clean(std::string& text) {
  // The tabs go in runs between the found ones: most lines hold a few, as
  // indentation.
  if (std::size_t write = text.find('\t'); write != std::string::npos) {
    char* data = text.data();
    const std::size_t size = text.size();
    for (std::size_t read = write; read < size;) {
      if (data[read] == '\t') {
        ++read;
        continue;
      }
      const void* tab = std::memchr(data + read, '\t', size - read);
      const std::size_t end = tab ? static_cast<std::size_t>(static_cast<const char*>(tab) - data) : size;
      std::memmove(data + write, data + read, end - read);
      write += end - read;
      read = end;
    }
    text.resize(write);
  }
  ReplaceAllIn(text, "\r\n", "");
}
void Strip(std::string& text) { text = StripMarkup(text); }
void TrimBlanks(std::string& text) { TrimIn(text); }
void TrimLeftBlanks(std::string& text) { text = TrimLeft(text); }
void ToAscii(std::string& text) { text = FullWidthAlnumToAscii(text); }
void BrToCrLf(std::string& text) { ReplaceAllIn(text, "<br>", "\r\n"); }

TextStep Remove(std::string_view part) { return Replace(part, {}); }

TextStep Replace(std::string_view from, std::string_view to) {
  return [from, to](std::string& text) { ReplaceAllIn(text, from, to); };
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

Store CoverTemplate(std::string_view pattern) {
  return [pattern](Scan& scan, const std::string& text) {
    if (!text.empty()) scan.book.CoverUrl = ReplaceAll(pattern, "<ISBN>", text);
  };
}

Store DescriptionWith(std::string_view prefix) {
  return [prefix](Scan& scan, const std::string& text) {
    scan.book.Description = std::string(prefix) + text;
  };
}

Store AppendTo(std::string TBase::*field, std::string_view prefix) {
  return [field, prefix](Scan& scan, const std::string& text) {
    std::string& value = scan.book.*field;
    value += prefix;
    value += text;
  };
}

void IntoMemo(Scan& scan, const std::string& text) { scan.memo = text; }

Store Rating(std::string_view rating) {
  return [rating](Scan& scan, const std::string&) { scan.rating = std::string(rating); };
}

void MarkFound(Scan& scan, const std::string&) { scan.found = true; }
void MarkDone(Scan& scan, const std::string&) { scan.done = true; }

Store UnlessHas(std::string_view part, Store store) {
  return [part, store = std::move(store)](Scan& scan, const std::string& text) {
    if (!Contains(text, part)) store(scan, text);
  };
}

Store UnlessEmpty(Store store) {
  return [store = std::move(store)](Scan& scan, const std::string& text) {
    if (!text.empty()) store(scan, text);
  };
}

Store WhileEmpty(std::string TBase::*field, Store store) {
  return [field, store = std::move(store)](Scan& scan, const std::string& text) {
    if ((scan.book.*field).empty()) store(scan, text);
  };
}

Store EndScanIfEquals(std::string_view noBook, Store store) {
  return [noBook, store = std::move(store)](Scan& scan, const std::string& text) {
    if (text == noBook)
      scan.ended = true;
    else
      store(scan, text);
  };
}

}  // namespace okuzuke::scraping
