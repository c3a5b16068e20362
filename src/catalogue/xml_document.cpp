#include "catalogue/xml_document.h"

#include <algorithm>
#include <cstdint>

#include "text/ascii_run.h"

namespace okuzuke::catalogue {

namespace {

// True when `text` is well-formed UTF-8 of characters XML allows.
bool IsXmlText(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      const std::size_t run = AsciiRunLength<AsciiRunEnd::kControl>(bytes + i, size - i);
      if (run == 0) return false;  // a control XML has no character for
      i += run;
      continue;
    }
    if ((lead & 0xF0) == 0xE0) {  // runs of kana and kanji in one loop
      const std::size_t start = i;
      while (size - i >= 3 && (bytes[i] & 0xF0) == 0xE0 && (bytes[i + 1] & 0xC0) == 0x80 && (bytes[i + 2] & 0xC0) == 0x80) {
        const std::uint32_t c = (bytes[i] & 0x0Fu) << 12 | (bytes[i + 1] & 0x3Fu) << 6 | (bytes[i + 2] & 0x3Fu);
        if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF) || c >= 0xFFFE) return false;
        i += 3;
      }
      if (i != start) continue;
    }
    std::size_t length;
    std::uint32_t c, least;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3, c = lead & 0x0F, least = 0x800;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2, c = lead & 0x1F, least = 0x80;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, c = lead & 0x07, least = 0x10000;
    else return false;
    if (size - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
      c = (c << 6) | (bytes[i + k] & 0x3F);
    }
    if (c < least || !IsXmlCharacter(c)) return false;
    i += length;
  }
  return true;
}

// How many distinct namespace URIs are shared rather than stored per element:
// a real answer uses about eight.
constexpr std::size_t kSharedNamespaces = 32;

}  // namespace

bool IsXmlCharacter(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

void XmlDocument::Clear() {
  pool_.clear();
  elements_.clear();
  attributes_.clear();
}

bool XmlDocument::Parse(std::string_view utf8) {
  Clear();
  // Checked here rather than left to the reader, so that both platforms'
  // readers see only UTF-8 of XML characters: a UTF-16 byte order mark is no
  // UTF-8.
  if (utf8.size() > kMaxXmlBytes || !IsXmlText(utf8)) return false;
  // Room for the whole tree at once: a batch's answer of several hundred
  // kilobytes would otherwise be copied as each store doubles, touching
  // about twice the memory. Capacity never written costs nothing.
  const auto tags = static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '<'));
  pool_.reserve(utf8.size());
  elements_.reserve(std::min(tags, kMaxXmlElements));
  attributes_.reserve(std::min(static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '=')), kMaxXmlAttributes));
  XmlTreeBuilder builder(*this);
  // A character reference may stand for what the text itself could not
  // hold (a control, a surrogate): the tree is checked again where the text
  // has one, so that it holds only XML characters whatever the reader decoded.
  if (ReadXml(utf8, builder) && builder.Finish() && (utf8.find("&#") == utf8.npos || IsXmlText(pool_))) return true;
  Clear();
  return false;
}

bool XmlDocument::Is(Element element, std::string_view ns, std::string_view local) const {
  const Node& node = elements_[element];
  return View(node.local) == local && View(node.ns) == ns;
}

std::string_view XmlDocument::Attribute(Element element, std::string_view ns, std::string_view local) const {
  const Node& node = elements_[element];
  for (std::uint32_t a = node.firstAttribute; a < node.firstAttribute + node.attributeCount; ++a) {
    const Attr& attribute = attributes_[a];
    if (View(attribute.local) == local && View(attribute.ns) == ns) return View(attribute.value);
  }
  return {};
}

XmlDocument::Element XmlDocument::FirstChild(Element element) const {
  const Element next = element + 1;
  return next < elements_[element].end ? next : kNoElement;
}

XmlDocument::Element XmlDocument::NextSibling(Element element) const {
  const Node& node = elements_[element];
  if (node.parent == kNoElement) return kNoElement;
  return node.end < elements_[node.parent].end ? node.end : kNoElement;
}

XmlDocument::Element XmlDocument::Child(Element element, std::string_view ns, std::string_view local) const {
  for (Element child = FirstChild(element); child != kNoElement; child = NextSibling(child))
    if (Is(child, ns, local)) return child;
  return kNoElement;
}

XmlDocument::Element XmlDocument::Find(Element within, std::string_view ns, std::string_view local) const {
  if (within == kNoElement) return kNoElement;
  for (Element e = within; e < elements_[within].end; ++e)
    if (Is(e, ns, local)) return e;
  return kNoElement;
}

XmlTreeBuilder::XmlTreeBuilder(XmlDocument& document) : document_(document) {}

XmlDocument::Span XmlTreeBuilder::Store(std::string_view text) {
  std::string& pool = document_.pool_;
  const XmlDocument::Span span{static_cast<std::uint32_t>(pool.size()), static_cast<std::uint32_t>(text.size())};
  pool.append(text);
  return span;
}

XmlDocument::Span XmlTreeBuilder::StoreNamespace(std::string_view ns) {
  for (const XmlDocument::Span& known : namespaces_)
    if (document_.View(known) == ns) return known;
  const XmlDocument::Span span = Store(ns);
  if (namespaces_.size() < kSharedNamespaces) namespaces_.push_back(span);
  return span;
}

bool XmlTreeBuilder::StartElement(std::string_view ns, std::string_view local) {
  std::vector<XmlDocument::Node>& elements = document_.elements_;
  if (rootClosed_ || elements.size() >= kMaxXmlElements || open_.size() >= kMaxXmlDepth) return false;
  XmlDocument::Node node;
  node.ns = StoreNamespace(ns);
  node.local = Store(local);
  node.firstAttribute = static_cast<std::uint32_t>(document_.attributes_.size());
  node.parent = open_.empty() ? XmlDocument::kNoElement : open_.back();
  open_.push_back(static_cast<XmlDocument::Element>(elements.size()));
  elements.push_back(node);
  if (openText_.size() < open_.size()) openText_.emplace_back();
  openText_[open_.size() - 1].clear();
  attributesOpen_ = true;
  return true;
}

bool XmlTreeBuilder::Attribute(std::string_view ns, std::string_view local, std::string_view value) {
  std::vector<XmlDocument::Attr>& attributes = document_.attributes_;
  if (!attributesOpen_ || attributes.size() >= kMaxXmlAttributes) return false;
  attributes.push_back({StoreNamespace(ns), Store(local), Store(value)});
  ++document_.elements_[open_.back()].attributeCount;
  return true;
}

bool XmlTreeBuilder::Text(std::string_view piece) {
  attributesOpen_ = false;
  // Outside the root only blanks may stand, and they belong to no element.
  if (!open_.empty()) openText_[open_.size() - 1].append(piece);
  return true;
}

bool XmlTreeBuilder::EndElement() {
  attributesOpen_ = false;
  if (open_.empty()) return false;
  XmlDocument::Node& node = document_.elements_[open_.back()];
  node.text = Store(openText_[open_.size() - 1]);
  node.end = static_cast<std::uint32_t>(document_.elements_.size());
  open_.pop_back();
  if (open_.empty()) rootClosed_ = true;
  return true;
}

bool XmlTreeBuilder::Finish() { return rootClosed_ && open_.empty(); }

}  // namespace okuzuke::catalogue
