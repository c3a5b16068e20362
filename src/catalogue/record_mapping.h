// What the answer reader and the record mapping share: the answers'
// namespaces and the step from one book in a record to a Book record.
#pragma once

#include <string_view>

#include "catalogue/xml_document.h"
#include "text/dictionaries.h"
#include "text/record.h"

namespace okuzuke::catalogue {

using Element = XmlDocument::Element;

inline constexpr std::string_view kSru = "http://www.loc.gov/zing/srw/";
inline constexpr std::string_view kRdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
inline constexpr std::string_view kDc = "http://purl.org/dc/elements/1.1/";
inline constexpr std::string_view kDcterms = "http://purl.org/dc/terms/";
inline constexpr std::string_view kDcndl = "http://ndl.go.jp/dcndl/terms/";
inline constexpr std::string_view kFoaf = "http://xmlns.com/foaf/0.1/";

// Fills `book` (cleared by the caller) from the dcndl:BibResource `resource`
// and, when it is not kNoElement, the page address of the
// dcndl:BibAdminResource `admin`. False when the book has no title: the
// caller then clears what was filled.
bool FillRecord(const XmlDocument& doc, Element resource, Element admin, TBase& book, const Dictionary& authors);

}  // namespace okuzuke::catalogue
