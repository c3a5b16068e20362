// The XML reader on Linux: pugixml, which builds its tree an order of
// magnitude faster than a streaming reader walks the same text. pugixml is
// lenient where XML is strict, so what it lets through is checked here, to
// refuse what a conforming namespaced reader (XmlLite on Windows) refuses:
//   - references are decoded here, not by pugixml, so that an undeclared
//     entity, a bare "&" or a reference to a forbidden character is an error;
//   - "<" in an attribute value, "]]>" in text, a duplicated attribute;
//   - exactly one root element, no text beside it, no document type, the XML
//     declaration only at the very start;
//   - namespaces are resolved here, and an unbound prefix is an error.
// Name characters beyond ASCII are not checked.
#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/xml_document.h"

namespace okuzuke::catalogue {

namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// "123" or "x7B" (of "&#123;", "&#x7B;"): the character, or 0 when it is no
// allowed character.
std::uint32_t CharacterReference(std::string_view digits) {
  int base = 10;
  if (digits.starts_with('x')) base = 16, digits.remove_prefix(1);
  if (digits.empty()) return 0;
  while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
  if (digits.size() > 8) return 0;
  std::uint32_t c = 0;
  for (char d : digits) {
    int value;
    if (d >= '0' && d <= '9') value = d - '0';
    else if (base == 16 && d >= 'a' && d <= 'f') value = d - 'a' + 10;
    else if (base == 16 && d >= 'A' && d <= 'F') value = d - 'A' + 10;
    else return 0;
    c = c * base + value;
  }
  return IsXmlCharacter(c) ? c : 0;
}

// Text or an attribute value as pugixml left it, its references decoded:
// `raw` itself when it has none, else `out`. Nothing on a reference XML does
// not define, a bare "&", and what may not stand raw: "<" in an attribute
// value, "]]>" in text.
std::optional<std::string_view> DecodeReferences(std::string_view raw, bool attribute, std::string& out) {
  if (attribute ? raw.find('<') != raw.npos : raw.find("]]>") != raw.npos) return std::nullopt;
  if (raw.find('&') == raw.npos) return raw;
  out.clear();
  // The five entities XML predefines; no other is declared.
  static constexpr std::pair<std::string_view, char> kPredefined[] = {
      {"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"quot;", '"'}, {"apos;", '\''}};
  for (std::size_t at = 0;;) {
    const std::size_t amp = raw.find('&', at);
    out.append(raw.substr(at, amp - at));
    if (amp == raw.npos) return out;
    const std::string_view rest = raw.substr(amp + 1);
    at = raw.npos;
    for (const auto& [name, character] : kPredefined) {
      if (rest.starts_with(name)) {
        out += character;
        at = amp + 1 + name.size();
        break;
      }
    }
    if (at != raw.npos) continue;
    const std::size_t semicolon = rest.find(';');
    if (!rest.starts_with('#') || semicolon == rest.npos) return std::nullopt;
    const std::uint32_t c = CharacterReference(rest.substr(1, semicolon - 1));
    if (c == 0) return std::nullopt;
    AppendUtf8(out, c);
    at = amp + 1 + semicolon + 1;
  }
}

// A qualified name's prefix and local part; false unless it has at most one
// colon with something on both sides.
bool SplitQualifiedName(std::string_view name, std::string_view& prefix, std::string_view& local) {
  const std::size_t colon = name.find(':');
  if (colon == name.npos) {
    prefix = {};
    local = name;
    return !name.empty();
  }
  prefix = name.substr(0, colon);
  local = name.substr(colon + 1);
  return !prefix.empty() && !local.empty() && local.find(':') == local.npos;
}

// The namespace declarations in scope: per prefix (empty for the default
// namespace) the URIs bound to it, innermost last, so that a document with
// thousands of declarations still resolves each name at once.
class NamespaceScope {
 public:
  // Declares `uri` for `prefix` on the element opened last; false on a
  // declaration XML forbids: "xml" is bound to its namespace alone and that
  // namespace to "xml" alone, "xmlns" is never declared, a prefix is never
  // undeclared (an empty URI undeclares only the default namespace).
  bool Declare(std::string_view prefix, std::string_view uri) {
    if (prefix == "xmlns" || (prefix == "xml") != (uri == kXmlNamespace)) return false;
    if (!prefix.empty() && uri.empty()) return false;
    bound_[prefix].emplace_back(uri);
    declared_.push_back(prefix);
    return true;
  }
  void Open() { marks_.push_back(declared_.size()); }
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
  std::unordered_map<std::string_view, std::vector<std::string>> bound_;
  std::vector<std::string_view> declared_;  // the prefixes, in order of declaration
  std::vector<std::size_t> marks_;          // where each open element's declarations begin
};

// Feeds one element, its attributes and everything inside it to the builder,
// walking the tree without recursion.
class TreeWalk {
 public:
  explicit TreeWalk(XmlTreeBuilder& builder) : builder_(builder) {}

  bool Element(const pugi::xml_node& root) {
    if (!Start(root)) return false;
    pugi::xml_node node = root.first_child();
    pugi::xml_node parent = root;
    while (true) {
      if (!node) {
        // The end of `parent`'s children.
        scope_.Close();
        if (!builder_.EndElement()) return false;
        if (parent == root) return true;
        node = parent.next_sibling();
        parent = parent.parent();
        continue;
      }
      switch (node.type()) {
        case pugi::node_element:
          if (!Start(node)) return false;
          parent = node;
          node = node.first_child();
          continue;
        case pugi::node_pcdata: {
          const std::optional<std::string_view> text = DecodeReferences(node.value(), false, text_);
          if (!text || !builder_.Text(*text)) return false;
          break;
        }
        case pugi::node_cdata:
          if (!builder_.Text(node.value())) return false;
          break;
        default:
          break;
      }
      node = node.next_sibling();
    }
  }

 private:
  // Declares the element's namespaces, then resolves its name and its other
  // attributes' names, which may use a prefix declared after them.
  bool Start(const pugi::xml_node& element) {
    scope_.Open();
    attributes_.clear();
    for (const pugi::xml_attribute& attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      if (name != "xmlns" && !name.starts_with("xmlns:")) {
        attributes_.push_back({name, attribute.value(), {}, {}});
        continue;
      }
      const std::string_view prefix = name == "xmlns" ? std::string_view() : name.substr(6);
      const std::optional<std::string_view> uri = DecodeReferences(attribute.value(), true, text_);
      if (!uri || !scope_.Declare(prefix, *uri)) return false;
    }
    std::string_view prefix, local, uri;
    if (!SplitQualifiedName(element.name(), prefix, local) || prefix == "xmlns" || !scope_.Resolve(prefix, uri) ||
        !builder_.StartElement(uri, local))
      return false;
    for (Attribute& attribute : attributes_) {
      if (!SplitQualifiedName(attribute.name, prefix, attribute.local)) return false;
      // An attribute without a prefix is in no namespace.
      if (!prefix.empty() && !scope_.Resolve(prefix, attribute.uri)) return false;
    }
    // No two attributes of one name: checked on a sorted copy, so that an
    // element with very many attributes takes n log n comparisons, not n².
    names_.clear();
    for (const Attribute& attribute : attributes_) names_.emplace_back(attribute.uri, attribute.local);
    std::sort(names_.begin(), names_.end());
    if (std::adjacent_find(names_.begin(), names_.end()) != names_.end()) return false;
    for (const Attribute& attribute : attributes_) {
      const std::optional<std::string_view> value = DecodeReferences(attribute.value, true, text_);
      if (!value || !builder_.Attribute(attribute.uri, attribute.local, *value)) return false;
    }
    return true;
  }

  struct Attribute {
    std::string_view name, value, uri, local;
  };

  XmlTreeBuilder& builder_;
  NamespaceScope scope_;
  std::string text_;
  std::vector<Attribute> attributes_;
  std::vector<std::pair<std::string_view, std::string_view>> names_;  // namespace URI, local name
};

}  // namespace

bool ReadXml(std::string_view utf8, XmlTreeBuilder& builder) {
  // References are left for DecodeReferences; the fragment mode keeps text
  // outside the root, so that it can be refused.
  constexpr unsigned kOptions = pugi::parse_cdata | pugi::parse_wconv_attribute | pugi::parse_eol |
                                pugi::parse_doctype | pugi::parse_declaration | pugi::parse_fragment;
  pugi::xml_document document;
  if (!document.load_buffer(utf8.data(), utf8.size(), kOptions, pugi::encoding_utf8)) return false;

  const bool startsWithDeclaration = utf8.substr(utf8.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0).starts_with("<?xml");
  pugi::xml_node root;
  for (const pugi::xml_node& node : document.children()) {
    switch (node.type()) {
      case pugi::node_element:
        if (root) return false;
        root = node;
        break;
      case pugi::node_declaration:
        if (node != document.first_child() || !startsWithDeclaration) return false;
        break;
      case pugi::node_comment:
      case pugi::node_pi:
        break;
      default:  // a document type, text
        return false;
    }
  }
  return root && TreeWalk(builder).Element(root);
}

}  // namespace okuzuke::catalogue
