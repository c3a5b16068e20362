#include "catalogue/xml_document.h"

namespace okuzuke::catalogue {

namespace {

// A UTF-16 byte order mark could switch a reader to UTF-16 whatever it is
// told; both are held to UTF-8: such a text is refused before either reads it.
bool StartsAsUtf16(std::string_view text) {
  return text.starts_with("\xFE\xFF") || text.starts_with("\xFF\xFE");
}

// How many distinct namespace URIs are shared rather than stored per element:
// a real answer uses about eight.
constexpr std::size_t kSharedNamespaces = 32;

}  // namespace

void XmlDocument::Clear() {
  pool_.clear();
  elements_.clear();
  attributes_.clear();
}

bool XmlDocument::Parse(std::string_view utf8) {
  Clear();
  if (utf8.size() > kMaxXmlBytes || StartsAsUtf16(utf8)) return false;
  pool_.reserve(utf8.size() / 2);
  XmlTreeBuilder builder(*this);
  if (ReadXml(utf8, builder) && builder.Finish()) return true;
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
