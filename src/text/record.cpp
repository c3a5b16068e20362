#include "text/record.h"

#include "text/halfwidth.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

#define OKZ_FIELD(name) BookFieldInfo{#name, &TBase::name}
const std::array<BookFieldInfo, kBookFieldCount> kBookFields = {{
    OKZ_FIELD(Isbn), OKZ_FIELD(Title), OKZ_FIELD(TitleReading), OKZ_FIELD(Subtitle),
    OKZ_FIELD(Volume), OKZ_FIELD(Author1), OKZ_FIELD(Author1Reading), OKZ_FIELD(Author2),
    OKZ_FIELD(Author2Reading), OKZ_FIELD(OtherAuthors), OKZ_FIELD(CCode), OKZ_FIELD(Field12),
    OKZ_FIELD(Publisher), OKZ_FIELD(Label), OKZ_FIELD(Field15), OKZ_FIELD(BookSize),
    OKZ_FIELD(PageUrl), OKZ_FIELD(AgeRating), OKZ_FIELD(AgeRatingNote),
    OKZ_FIELD(PurchaseStatus), OKZ_FIELD(Price), OKZ_FIELD(TaxFlag), OKZ_FIELD(Field23),
    OKZ_FIELD(TaxFlag2), OKZ_FIELD(ReleaseYear), OKZ_FIELD(ReleaseMonth),
    OKZ_FIELD(ReleaseDay), OKZ_FIELD(Field28), OKZ_FIELD(Field29), OKZ_FIELD(Field30),
    OKZ_FIELD(Field31), OKZ_FIELD(Field32), OKZ_FIELD(Field33), OKZ_FIELD(Field34),
    OKZ_FIELD(PageCount), OKZ_FIELD(Description), OKZ_FIELD(CoverUrl), OKZ_FIELD(Field38),
    OKZ_FIELD(Field39), OKZ_FIELD(Field40), OKZ_FIELD(Field41), OKZ_FIELD(Field42),
    OKZ_FIELD(Field43), OKZ_FIELD(Field44), OKZ_FIELD(ReadStatus), OKZ_FIELD(Field46),
    OKZ_FIELD(Field47), OKZ_FIELD(Field48), OKZ_FIELD(Field49), OKZ_FIELD(Field50),
    OKZ_FIELD(Field51), OKZ_FIELD(Field52), OKZ_FIELD(Field53), OKZ_FIELD(Field54),
    OKZ_FIELD(Field55), OKZ_FIELD(Field56), OKZ_FIELD(Field57), OKZ_FIELD(Field58),
    OKZ_FIELD(Field59), OKZ_FIELD(Field60), OKZ_FIELD(Field61), OKZ_FIELD(Field62),
    OKZ_FIELD(Field63), OKZ_FIELD(Field64), OKZ_FIELD(Field65), OKZ_FIELD(Field66),
}};
#undef OKZ_FIELD

std::string& BookField(TBase& book, int number) { return book.*kBookFields.at(number - 1).member; }

const std::string& BookField(const TBase& book, int number) {
  return book.*kBookFields.at(number - 1).member;
}

void ClearBookRecord(TBase& book) {
  for (const auto& field : kBookFields) (book.*field.member).clear();
}

std::string EscapeRecordField(std::string_view text) {
  std::string out = ReplaceAll(text, "\r\n", "$$");
  out = ReplaceAll(out, "\"", "”"_sjis);
  return ReplaceAll(out, ",", "，"_sjis);
}

namespace {
bool IsSjisTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
}  // namespace

std::string WellFormedRecordText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (IsSjisLeadByte(b)) {
      if (i + 1 < text.size() && IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        out += text[i];
        out += text[++i];
      }
    } else if (b == '\r' || b == '\n') {
      if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (b != 0) {
      out += text[i];
    }
  }
  return out;
}

std::string SerializeBookRecord(TBase& book) {
  for (int n : {3, 7, 9}) BookField(book, n) = ToHalfWidth(BookField(book, n));
  std::vector<std::string> columns;
  columns.reserve(kBookFieldCount + 2);
  for (int n = 1; n <= kBookFieldCount; ++n) {
    columns.push_back(EscapeRecordField(WellFormedRecordText(BookField(book, n))));
    if (n == 19 || n == 39) columns.emplace_back();
  }
  return JoinCommaText(columns);
}

static bool NeedsQuotes(std::string_view item) {
  for (char c : item) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == '"' || c == ',') return true;
  }
  return false;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    const std::string& item = items[i];
    if (!NeedsQuotes(item)) {
      out += item;
      continue;
    }
    out += '"';
    for (char c : item) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

// Appends the character at `i` (two bytes after a lead byte) and moves on.
static void TakeCharacter(std::string_view line, std::size_t& i, std::string& item) {
  std::size_t length = IsSjisLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
  item.append(line.substr(i, length));
  i += length;
}

std::vector<std::string> SplitCommaText(std::string_view line) {
  std::vector<std::string> items;
  std::size_t i = 0;
  for (;;) {
    std::string item;
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        TakeCharacter(line, i, item);
      }
      // Anything between a closing quote and the next comma belongs to the item.
      while (i < line.size() && line[i] != ',') TakeCharacter(line, i, item);
    } else {
      while (i < line.size() && line[i] != ',') TakeCharacter(line, i, item);
    }
    items.push_back(std::move(item));
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  return items;
}

}  // namespace okuzuke
