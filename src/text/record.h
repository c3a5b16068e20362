// The Book record the run fills for one code, its clearing and its
// serialisation into the comma-text line the host imports.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace okuzuke {

// One book. A leading integer the plug-in never writes out, then 66 text
// fields numbered 1..66. FieldNN fields are never filled and written empty.
struct TBase {
  std::int32_t Reserved = 0;
  std::string Isbn;            // 1
  std::string Title;           // 2
  std::string TitleReading;    // 3 (half-width on output)
  std::string Subtitle;        // 4
  std::string Volume;          // 5
  std::string Author1;         // 6
  std::string Author1Reading;  // 7 (half-width on output)
  std::string Author2;         // 8
  std::string Author2Reading;  // 9 (half-width on output)
  std::string OtherAuthors;    // 10
  std::string CCode;           // 11
  std::string Field12;         // 12
  std::string Publisher;       // 13
  std::string Label;           // 14
  std::string Field15;         // 15
  std::string BookSize;        // 16
  std::string PageUrl;         // 17
  std::string AgeRating;       // 18
  std::string AgeRatingNote;   // 19
  std::string PurchaseStatus;  // 20
  std::string Price;           // 21
  std::string TaxFlag;         // 22
  std::string Field23;         // 23
  std::string TaxFlag2;        // 24
  std::string ReleaseYear;     // 25
  std::string ReleaseMonth;    // 26
  std::string ReleaseDay;      // 27
  std::string Field28, Field29, Field30, Field31, Field32, Field33, Field34;  // 28-34
  std::string PageCount;       // 35
  std::string Description;     // 36
  std::string CoverUrl;        // 37
  std::string Field38, Field39, Field40, Field41, Field42, Field43, Field44;  // 38-44
  std::string ReadStatus;      // 45
  std::string Field46, Field47, Field48, Field49, Field50, Field51, Field52;  // 46-52
  std::string Field53, Field54, Field55, Field56, Field57, Field58, Field59;  // 53-59
  std::string Field60, Field61, Field62, Field63, Field64, Field65, Field66;  // 60-66
};

constexpr int kBookFieldCount = 66;

struct BookFieldInfo {
  const char* name;
  std::string TBase::*member;
};

// The 66 fields in their order: kBookFields[n - 1] is field n.
extern const std::array<BookFieldInfo, kBookFieldCount> kBookFields;

// Field `number` (1..66) of the record.
std::string& BookField(TBase& book, int number);
const std::string& BookField(const TBase& book, int number);

// Empties all 66 fields.
void ClearBookRecord(TBase& book);

// CR LF becomes "$$", '"' becomes "”", ',' becomes "，" (in this order).
std::string EscapeRecordField(std::string_view text);

// What a field may hold in the result file, which the host reads as code
// page 932 lines: a lead byte without a valid trail byte after it is dropped
// (it would take the next byte, perhaps the "," after the field, as its
// second half and shift every later column); a 0 byte is dropped (it would
// end the host's reading of the file); a lone CR or LF becomes "$$" like a
// CR LF pair (it would split the record line).
std::string WellFormedRecordText(std::string_view text);

// The 68 columns (fields 1-19, empty, 20-39, empty, 40-66), made well-formed,
// escaped and joined as comma text. Fields 3, 7 and 9 are first folded to
// half-width and the folded values are written back into the record.
std::string SerializeBookRecord(TBase& book);

// Joins items as comma text: separated by ",", an item holding a byte
// 0x00..0x20, '"' or ',' is quoted with inner quotes doubled.
std::string JoinCommaText(const std::vector<std::string>& items);

// Reads a comma-text line back into its items (the inverse of JoinCommaText)
// the way the host does: a code page 932 lead byte and the byte after it are
// one character, never a quote or a separator.
std::vector<std::string> SplitCommaText(std::string_view line);

}  // namespace okuzuke
