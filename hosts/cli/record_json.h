// Records as JSON, for scripts and tools that read it (jq, spreadsheets):
// UTF-8, an object per record keyed by the record type's field names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/run_journal.h"
#include "text/record.h"

namespace okuzuke::cli {

// A field as the result file holds it, as JSON text: UTF-8, each "$$" (a
// line break, as the record escaping writes CR LF) a newline ("\n"). The
// full-width "”" and "，" the escaping put for '"' and ',' stay: a result
// file cannot tell them from ones the page had.
std::string FieldValueForJson(std::string_view sjis);

// The records as a JSON array of objects, fields in record order, empty
// ones left out unless `all`. Text that is no code page 932 gives U+FFFD,
// never broken JSON. Indented, ending with a newline.
std::string RecordsJson(const std::vector<TBase>& records, bool all);

// A run as a JSON object: "records" as RecordsJson gives them, and
// "without_record", an array of {"code", "reason"} in code order.
std::string RunJson(const std::vector<TBase>& records, const std::vector<CodeWithoutRecord>& without,
                    bool all);

}  // namespace okuzuke::cli
