// The XML reader on Linux: pugixml, which builds its tree an order of
// magnitude faster than a streaming reader walks the same text. pugixml
// parses and decodes the predefined entities and character references and
// gives up on what it cannot read; an answer it reads although XML would not
// (an unknown entity kept as written, a bare "&") gives a record or none,
// never a fault. No document type is read, as on Windows. pugixml has no
// namespaces: they are resolved here, since the record is read by namespace,
// not by prefix.
#include <pugixml.hpp>

#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/xml_document.h"

namespace okuzuke::catalogue {

namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";

// The namespace declarations in scope: per prefix (empty for the default
// namespace) the URIs bound to it, innermost last, so that a document with
// thousands of declarations still resolves each name at once.
class NamespaceScope {
 public:
  void Open() { marks_.push_back(declared_.size()); }
  void Declare(std::string_view prefix, std::string_view uri) {
    bound_[prefix].push_back(uri);
    declared_.push_back(prefix);
  }
  void Close() {
    for (std::size_t n = declared_.size(); n > marks_.back(); --n) bound_[declared_[n - 1]].pop_back();
    declared_.resize(marks_.back());
    marks_.pop_back();
  }
  // The URI of `prefix`; false when it is bound to none.
  bool Resolve(std::string_view prefix, std::string_view& uri) const {
    if (const auto found = bound_.find(prefix); found != bound_.end() && !found->second.empty()) {
      uri = found->second.back();
      return true;
    }
    uri = prefix == "xml" ? kXmlNamespace : std::string_view();
    return prefix.empty() || prefix == "xml";
  }

 private:
  // The views point into pugixml's tree, which outlives the walk.
  std::unordered_map<std::string_view, std::vector<std::string_view>> bound_;
  std::vector<std::string_view> declared_;  // the prefixes, in order of declaration
  std::vector<std::size_t> marks_;          // where each open element's declarations begin
};

// "p:name" as prefix and local name; no colon, no prefix.
void SplitName(std::string_view name, std::string_view& prefix, std::string_view& local) {
  const std::size_t colon = name.find(':');
  prefix = colon == name.npos ? std::string_view() : name.substr(0, colon);
  local = colon == name.npos ? name : name.substr(colon + 1);
}

// Feeds one element, its attributes and everything inside it to the builder,
// walking the tree without recursion.
class TreeWalk {
 public:
  explicit TreeWalk(XmlTreeBuilder& builder) : builder_(builder) {}

  bool Element(const pugi::xml_node& root) {
    if (!Start(root)) return false;
    if (*root.value() && !builder_.Text(root.value())) return false;
    pugi::xml_node node = root.first_child();
    pugi::xml_node parent = root;
    while (true) {
      if (!node) {  // the end of `parent`'s children
        scope_.Close();
        if (!builder_.EndElement()) return false;
        if (parent == root) return true;
        node = parent.next_sibling();
        parent = parent.parent();
        continue;
      }
      if (node.type() == pugi::node_element) {
        if (!Start(node)) return false;
        // Text stored in the element itself comes before its children.
        if (*node.value() && !builder_.Text(node.value())) return false;
        parent = node;
        node = node.first_child();
        continue;
      }
      if ((node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) && !builder_.Text(node.value()))
        return false;
      node = node.next_sibling();
    }
  }

 private:
  // Declares the element's namespaces first, since its name and its other
  // attributes may use a prefix declared after them; an unbound prefix is an
  // error.
  bool Start(const pugi::xml_node& element) {
    scope_.Open();
    for (const pugi::xml_attribute& attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      if (name == "xmlns") scope_.Declare({}, attribute.value());
      else if (name.starts_with("xmlns:")) scope_.Declare(name.substr(6), attribute.value());
    }
    std::string_view prefix, local, uri;
    SplitName(element.name(), prefix, local);
    if (!scope_.Resolve(prefix, uri) || !builder_.StartElement(uri, local)) return false;
    for (const pugi::xml_attribute& attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      if (name == "xmlns" || name.starts_with("xmlns:")) continue;
      SplitName(name, prefix, local);
      // An attribute without a prefix is in no namespace.
      uri = {};
      if (!prefix.empty() && !scope_.Resolve(prefix, uri)) return false;
      if (!builder_.Attribute(uri, local, attribute.value())) return false;
    }
    return true;
  }

  XmlTreeBuilder& builder_;
  NamespaceScope scope_;
};

}  // namespace

bool ReadXml(std::string_view utf8, XmlTreeBuilder& builder) {
  // A document type is kept, to be refused: pugixml would leave the entities
  // it declares unexpanded, "&title;" in place of the title.
  pugi::xml_document document;
  if (!document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default | pugi::parse_doctype | pugi::parse_embed_pcdata, pugi::encoding_utf8))
    return false;
  for (const pugi::xml_node& node : document.children())
    if (node.type() == pugi::node_doctype) return false;
  const pugi::xml_node root = document.document_element();
  return root && TreeWalk(builder).Element(root);
}

}  // namespace okuzuke::catalogue
