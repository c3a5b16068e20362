// A small, bounded element tree read from UTF-8 XML: each element's namespace
// URI and local name, its attributes (namespace URI, local name, value) and
// the text directly inside it, all as UTF-8. The reading itself is the
// platform's: pugixml (xml_document_posix.cpp) or XmlLite
// (xml_document_win32.cpp); both feed the same XmlTreeBuilder, which holds
// the limits. A well-formed document gives the same tree on both; a
// malformed one gives a tree or none, and the two may differ.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace okuzuke::catalogue {

// The limits of a document. A catalogue answer with one record is a few tens
// of kilobytes, a few hundred elements, about ten levels deep; these leave
// room for any real answer and keep a hostile one's time and memory small.
inline constexpr std::size_t kMaxXmlBytes = 4 << 20;
inline constexpr std::size_t kMaxXmlElements = 100'000;
inline constexpr std::size_t kMaxXmlAttributes = 200'000;
inline constexpr std::size_t kMaxXmlDepth = 64;

class XmlDocument {
 public:
  using Element = std::uint32_t;
  static constexpr Element kNoElement = UINT32_MAX;

  // Reads `utf8` (always as UTF-8, whatever its declaration says). False,
  // and an empty document, when the text is not UTF-8 of XML characters, is
  // past a limit, or the platform's reader cannot read it; true for every
  // well-formed namespaced document within the limits. The tree holds only
  // UTF-8 of XML characters.
  bool Parse(std::string_view utf8);

  bool Empty() const { return elements_.empty(); }
  Element Root() const { return elements_.empty() ? kNoElement : 0; }

  bool Is(Element element, std::string_view ns, std::string_view local) const;
  std::string_view Namespace(Element element) const { return View(elements_[element].ns); }
  std::string_view LocalName(Element element) const { return View(elements_[element].local); }
  // The character data directly inside the element (not its children's).
  std::string_view Text(Element element) const { return View(elements_[element].text); }
  // The value of the attribute so named; empty when it has none.
  std::string_view Attribute(Element element, std::string_view ns, std::string_view local) const;

  // Children in document order; kNoElement after the last.
  Element FirstChild(Element element) const;
  Element NextSibling(Element element) const;
  // The first child so named, or kNoElement.
  Element Child(Element element, std::string_view ns, std::string_view local) const;
  // The first element so named at or below `within`, in document order.
  Element Find(Element within, std::string_view ns, std::string_view local) const;

 private:
  friend class XmlTreeBuilder;

  struct Span {
    std::uint32_t begin = 0, size = 0;
  };
  // Elements are kept in document order, so an element's descendants are
  // the elements after it up to `end`.
  struct Node {
    Span ns, local, text;
    std::uint32_t firstAttribute = 0, attributeCount = 0;
    std::uint32_t parent = kNoElement, end = 0;
  };
  struct Attr {
    Span ns, local, value;
  };

  std::string_view View(Span span) const { return std::string_view(pool_).substr(span.begin, span.size); }
  void Clear();

  std::string pool_;  // every name, namespace and text, one after another
  std::vector<Node> elements_;
  std::vector<Attr> attributes_;
};

// Builds an XmlDocument from a reader's events. Every call returns false once
// a limit is passed or the events are out of order; the reader then stops.
class XmlTreeBuilder {
 public:
  explicit XmlTreeBuilder(XmlDocument& document);

  bool StartElement(std::string_view ns, std::string_view local);
  // An attribute of the element started last (before any of its content).
  bool Attribute(std::string_view ns, std::string_view local, std::string_view value);
  bool Text(std::string_view piece);
  bool EndElement();
  // True when exactly one root element was read and closed.
  bool Finish();

 private:
  XmlDocument::Span Store(std::string_view text);
  XmlDocument::Span StoreNamespace(std::string_view ns);

  XmlDocument& document_;
  std::vector<XmlDocument::Element> open_;
  std::vector<std::string> openText_;  // per depth, reused from element to element
  std::vector<XmlDocument::Span> namespaces_;
  bool attributesOpen_ = false;
  bool rootClosed_ = false;
};

// Whether XML allows the character (tab, line feed, carriage return, and from
// the space on, but for surrogates, U+FFFE and U+FFFF).
bool IsXmlCharacter(std::uint32_t c);

// The platform's reader: feeds `utf8` (already known to be well-formed UTF-8
// of characters XML allows) to `builder`, read as UTF-8 with namespaces.
// True when the reader reached the end of the text without an error.
bool ReadXml(std::string_view utf8, XmlTreeBuilder& builder);

}  // namespace okuzuke::catalogue
