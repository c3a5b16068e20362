// The national library's catalogue as a source of records: the addresses that
// ask its search service (SRU) for one ISBN or a batch of them, and the step
// from its answer (UTF-8 XML, dcndl records inline or packed as escaped text)
// to a Book record in Shift-JIS for each code the answer names.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "text/dictionaries.h"
#include "text/record.h"

namespace okuzuke::catalogue {

// The most distinct ISBNs one request asks for.
inline constexpr std::size_t kBatchSize = 50;

// The search address for a 13-digit ISBN, which ends it (so that a recorded
// answer names its code): one record, bibliographic data only, dcndl schema,
// packed inline.
std::string CatalogueUrl(std::string_view isbn13);

// The address for several 13-digit ISBNs at once, in the order given, their
// clauses joined by OR, up to 200 records from `startRecord` on (the first
// page when 0). One ISBN on the first page is CatalogueUrl's address.
std::string CatalogueBatchUrl(const std::vector<std::string>& isbn13s, std::uint64_t startRecord = 0);

// The ISBNs an address of CatalogueUrl or CatalogueBatchUrl asks for; empty
// for any other address.
std::vector<std::string> IsbnsAsked(std::string_view url);

// How the service took a request.
enum class Verdict {
  Answered,      // a search result: records, none, or "Record does not exist"
  NotAnswered,   // anything else: nothing stored, not an SRU answer, a diagnostic
  QueryRefused,  // a diagnostic about the query itself (its syntax, its size)
};

struct AnswerReport {
  Verdict verdict = Verdict::NotAnswered;
  std::string problem;           // why it was not answered, in English
  std::uint64_t nextRecord = 0;  // where the next page starts; 0 when this was the last
};

// The record chosen so far for a code, over every record of every page.
struct Candidate {
  TBase book;
  bool libraryOwn = false;  // from the library's own catalogue, not a holding elsewhere
};
using Candidates = std::map<std::string, Candidate, std::less<>>;  // by 13-digit ISBN

// Reads one answer to a request for `isbn13s`. A record is a code's when one
// of its book's ISBN identifiers, without hyphens and as 13 digits, is the
// code's ISBN. Of several records for one code the first from the library's
// own catalogue is kept, else the first with a title; `chosen` carries the
// choice over from earlier pages. Records are made as RecordFromAnswer says.
AnswerReport ReadAnswer(std::string_view answer, const std::vector<std::string>& isbn13s, const Dictionary& authors,
                        Candidates& chosen);

// ReadAnswer on the file at `path`, then, as for a publisher's page, the
// private preferences of a marker file `path` + ".pelmar_private" on the
// records chosen. No file, or one larger than any answer the
// reader accepts, is not an answer.
AnswerReport ReadAnswerFile(const std::string& path, const std::vector<std::string>& isbn13s,
                            const Dictionary& authors, Candidates& chosen);

// The record of the one code `isbn13` in an answer: cleared first, Isbn set
// to `isbn13`, the rest from the book's dcndl:BibResource (and the page
// address from the dcndl:BibAdminResource beside it), the credits
// distributed by AssignAuthors with `authors`, the description's full-width
// spaces made ASCII and its ends trimmed. Returns 1 when a record was made,
// 0 (and `book` cleared) when no record of the answer is the code's or has a
// title, or the answer is not well-formed XML within the reader's limits
// (xml_document.h).
int RecordFromAnswer(std::string_view answer, std::string_view isbn13, TBase& book, const Dictionary& authors);

// RecordFromAnswer on the file at `path`, with the private preferences as
// ReadAnswerFile applies them.
int RecordFromAnswerFile(const std::string& path, std::string_view isbn13, TBase& book,
                         const Dictionary& authors);

}  // namespace okuzuke::catalogue
