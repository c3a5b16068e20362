// The XML reader on Linux: expat, with namespace processing. Names arrive as
// "URI\x01local" (a character no XML 1.0 text may hold, so no URI can).
#include <expat.h>

#include <memory>

#include "catalogue/xml_document.h"

namespace okuzuke::catalogue {

namespace {

constexpr char kNamespaceSeparator = '\x01';

struct ParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<XML_ParserStruct, ParserFree>;

struct Reading {
  XML_Parser parser;
  XmlTreeBuilder& builder;
};

// A name without a namespace has no separator.
void SplitName(const XML_Char* name, std::string_view& ns, std::string_view& local) {
  const std::string_view whole(name);
  const std::size_t at = whole.find(kNamespaceSeparator);
  if (at == std::string_view::npos) {
    ns = {};
    local = whole;
  } else {
    ns = whole.substr(0, at);
    local = whole.substr(at + 1);
  }
}

void Stop(Reading& reading) { XML_StopParser(reading.parser, XML_FALSE); }

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  Reading& reading = *static_cast<Reading*>(data);
  std::string_view ns, local;
  SplitName(name, ns, local);
  if (!reading.builder.StartElement(ns, local)) return Stop(reading);
  for (const XML_Char** a = attributes; a[0] != nullptr; a += 2) {
    SplitName(a[0], ns, local);
    if (!reading.builder.Attribute(ns, local, a[1])) return Stop(reading);
  }
}

void XMLCALL OnEnd(void* data, const XML_Char*) {
  Reading& reading = *static_cast<Reading*>(data);
  if (!reading.builder.EndElement()) Stop(reading);
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  Reading& reading = *static_cast<Reading*>(data);
  if (!reading.builder.Text(std::string_view(text, static_cast<std::size_t>(length)))) Stop(reading);
}

// No catalogue answer has a document type; refusing any keeps entity
// declarations, and with them entity expansion, out altogether.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  Stop(*static_cast<Reading*>(data));
}

}  // namespace

bool ReadXml(std::string_view utf8, XmlTreeBuilder& builder) {
  // "UTF-8" given here overrides whatever encoding the declaration names.
  const Parser parser(XML_ParserCreateNS("UTF-8", kNamespaceSeparator));
  if (!parser) return false;
  Reading reading{parser.get(), builder};
  XML_SetUserData(parser.get(), &reading);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
  return XML_Parse(parser.get(), utf8.data(), static_cast<int>(utf8.size()), XML_TRUE) == XML_STATUS_OK;
}

}  // namespace okuzuke::catalogue
