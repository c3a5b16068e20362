#include "catalogue/catalogue.h"

namespace okuzuke::catalogue {

std::string CatalogueUrl(std::string_view isbn13) {
  std::string url(
      "https://ndlsearch.ndl.go.jp/api/sru?operation=searchRetrieve&version=1.2&recordSchema=dcndl"
      "&onlyBib=true&recordPacking=xml&maximumRecords=1&query=isbn%3D");
  url += isbn13;
  return url;
}

}  // namespace okuzuke::catalogue
