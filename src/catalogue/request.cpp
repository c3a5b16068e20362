#include "catalogue/catalogue.h"

namespace okuzuke::catalogue {

namespace {

constexpr std::string_view kSearch =
    "https://ndlsearch.ndl.go.jp/api/sru?operation=searchRetrieve&version=1.2&recordSchema=dcndl"
    "&onlyBib=true&recordPacking=xml";
constexpr std::string_view kClause = "isbn%3D";
constexpr std::string_view kOr = "%20OR%20";

}  // namespace

std::string CatalogueUrl(std::string_view isbn13) {
  std::string url(kSearch);
  url += "&maximumRecords=1&query=";
  url += kClause;
  url += isbn13;
  return url;
}

std::string CatalogueBatchUrl(const std::vector<std::string>& isbn13s, std::uint64_t startRecord) {
  if (isbn13s.size() == 1 && startRecord == 0) return CatalogueUrl(isbn13s.front());
  std::string url(kSearch);
  url += "&maximumRecords=200";
  if (startRecord != 0) url += "&startRecord=" + std::to_string(startRecord);
  url += "&query=";
  for (std::size_t i = 0; i < isbn13s.size(); ++i) {
    if (i != 0) url += kOr;
    url += kClause;
    url += isbn13s[i];
  }
  return url;
}

std::vector<std::string> IsbnsAsked(std::string_view url) {
  std::vector<std::string> isbns;
  if (!url.starts_with(kSearch)) return isbns;
  const std::size_t query = url.find("&query=");
  if (query == std::string_view::npos) return isbns;
  std::string_view rest = url.substr(query + 7);
  while (!rest.empty()) {
    const std::size_t end = rest.find(kOr);
    std::string_view clause = rest.substr(0, end);
    if (clause.starts_with(kClause)) isbns.emplace_back(clause.substr(kClause.size()));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + kOr.size());
  }
  return isbns;
}

}  // namespace okuzuke::catalogue
