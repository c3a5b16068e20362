// The national library's catalogue as a source of records: the address that
// asks its search service (SRU) for one ISBN, and the step from its answer
// (UTF-8 XML, a dcndl record inline or packed as escaped text) to a Book
// record in Shift-JIS.
#pragma once

#include <string>
#include <string_view>

#include "text/dictionaries.h"
#include "text/record.h"

namespace okuzuke::catalogue {

// The search address for a 13-digit ISBN, which ends it (so that a recorded
// answer names its code): one record, bibliographic data only, dcndl schema,
// packed inline.
std::string CatalogueUrl(std::string_view isbn13);

// Fills `book` from the answer's bytes: cleared first, Isbn set to `isbn13`,
// the rest from the first dcndl:BibResource (and the page address from the
// dcndl:BibAdminResource beside it), the credits distributed by
// AssignAuthors with `authors`, the description's full-width spaces made
// ASCII and its ends trimmed. Returns 1 when a record was made, 0 (and
// `book` cleared) when the answer holds no such resource with a title, or is
// not well-formed XML within the reader's limits (xml_document.h).
int RecordFromAnswer(std::string_view answer, std::string_view isbn13, TBase& book, const Dictionary& authors);

// RecordFromAnswer on the file at `path`, then, as for a publisher's page,
// the private preferences of a marker file `path` + ".pelmar_private" (no
// age rating). 0 (and `book` cleared) when there is no file or it is larger
// than any answer the reader accepts.
int RecordFromAnswerFile(const std::string& path, std::string_view isbn13, TBase& book,
                         const Dictionary& authors);

}  // namespace okuzuke::catalogue
