#include "cli/record_json.h"

#include <nlohmann/json.hpp>

#include "text/codepage.h"
#include "text/sjis.h"

namespace okuzuke::cli {

namespace {

// Keeps the keys in the order they are added: the record's field order.
using Json = nlohmann::ordered_json;

Json RecordArray(const std::vector<TBase>& records, bool all) {
  Json array = Json::array();
  for (const TBase& book : records) {
    Json object = Json::object();
    for (int n = 1; n <= kBookFieldCount; ++n) {
      const std::string& value = BookField(book, n);
      if (value.empty() && !all) continue;
      object[kBookFields[n - 1].name] = FieldValueForJson(value);
    }
    array.push_back(std::move(object));
  }
  return array;
}

// Cp932ToUtf8 gives valid UTF-8 already; the replacing error handler makes
// sure no byte sequence could ever make dump() throw halfway.
std::string Text(const Json& document) {
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string FieldValueForJson(std::string_view sjis) { return Cp932ToUtf8(ReplaceAll(sjis, "$$", "\n")); }

std::string RecordsJson(const std::vector<TBase>& records, bool all) { return Text(RecordArray(records, all)); }

std::string RunJson(const std::vector<TBase>& records, const std::vector<CodeWithoutRecord>& without,
                    bool all) {
  Json document = Json::object();
  document["records"] = RecordArray(records, all);
  Json codes = Json::array();
  for (const CodeWithoutRecord& code : without)
    codes.push_back(Json{{"code", Cp932ToUtf8(code.code)}, {"reason", Cp932ToUtf8(code.reason)}});
  document["without_record"] = std::move(codes);
  return Text(document);
}

}  // namespace okuzuke::cli
