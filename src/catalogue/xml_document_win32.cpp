// The XML reader on Windows: the system's XmlLite (xmllite.dll, on every
// Windows since Vista). Its import library is not part of MinGW, so
// CreateXmlReader and CreateXmlReaderInputWithEncodingName are looked up by
// name when a document is read. XmlLite hands out UTF-16, which is turned
// into UTF-8 for the tree.
#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <string>

#include "catalogue/xml_document.h"

namespace okuzuke::catalogue {

namespace {

class Module {
 public:
  explicit Module(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~Module() {
    if (module_) FreeLibrary(module_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  template <typename Function>
  Function* Find(const char* name) const {
    return module_ ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
  }

 private:
  HMODULE module_;
};

// Holds one reference to a COM object.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For a call that hands out a new reference.
  Interface** Out() { return &pointer_; }
  void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

using CreateReaderFn = HRESULT WINAPI(REFIID, void**, IMalloc*);
using CreateInputFn = HRESULT WINAPI(IUnknown*, IMalloc*, LPCWSTR, BOOL, LPCWSTR, IXmlReaderInput**);

constexpr std::wstring_view kXmlnsNamespace = L"http://www.w3.org/2000/xmlns/";

// XmlLite's UTF-16 as UTF-8, into `out` (reused from call to call).
void AssignUtf8(const wchar_t* text, UINT length, std::string& out) {
  out.clear();
  if (length == 0) return;
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  out.resize(static_cast<std::size_t>(size));
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
}

// The current node's namespace URI and local name, as UTF-8.
bool NodeName(IXmlReader& reader, std::wstring_view& wideNs, std::string& ns, std::string& local) {
  const wchar_t* text = nullptr;
  UINT length = 0;
  if (FAILED(reader.GetNamespaceUri(&text, &length))) return false;
  wideNs = std::wstring_view(text, length);
  AssignUtf8(text, length, ns);
  if (FAILED(reader.GetLocalName(&text, &length))) return false;
  AssignUtf8(text, length, local);
  return true;
}

// The element the reader stands on, with its attributes (the namespace
// declarations, which XmlLite lists among them, left out).
bool ReadElement(IXmlReader& reader, XmlTreeBuilder& builder) {
  std::wstring_view wideNs;
  std::string ns, local, value;
  const bool empty = reader.IsEmptyElement();
  if (!NodeName(reader, wideNs, ns, local) || !builder.StartElement(ns, local)) return false;
  for (HRESULT hr = reader.MoveToFirstAttribute(); hr == S_OK; hr = reader.MoveToNextAttribute()) {
    if (!NodeName(reader, wideNs, ns, local)) return false;
    if (wideNs == kXmlnsNamespace) continue;
    const wchar_t* text = nullptr;
    UINT length = 0;
    if (FAILED(reader.GetValue(&text, &length))) return false;
    AssignUtf8(text, length, value);
    if (!builder.Attribute(ns, local, value)) return false;
  }
  return !empty || builder.EndElement();
}

// Every node takes at least one byte of the text, and its character data no
// more UTF-16 units than it took bytes: a reader that reports more than the
// text holds is not moving on (Wine's, at a text cut off inside an element,
// reports the same text node for ever).
bool ReadNodes(IXmlReader& reader, XmlTreeBuilder& builder, std::size_t textBytes) {
  std::string text;
  XmlNodeType type = XmlNodeType_None;
  HRESULT hr;
  std::size_t reported = 0;
  while ((hr = reader.Read(&type)) == S_OK) {
    if (++reported > textBytes) return false;
    switch (type) {
      case XmlNodeType_Element:
        if (!ReadElement(reader, builder)) return false;
        break;
      case XmlNodeType_EndElement:
        if (!builder.EndElement()) return false;
        break;
      case XmlNodeType_Text:
      case XmlNodeType_CDATA:
      case XmlNodeType_Whitespace: {
        const wchar_t* value = nullptr;
        UINT length = 0;
        if (FAILED(reader.GetValue(&value, &length))) return false;
        reported += length;
        if (reported > textBytes) return false;
        AssignUtf8(value, length, text);
        if (!builder.Text(text)) return false;
        break;
      }
      case XmlNodeType_DocumentType:  // refused by the reader already; never read
        return false;
      default:  // declaration, comments, processing instructions
        break;
    }
  }
  return hr == S_FALSE;  // the end of the input, not an error
}

}  // namespace

bool ReadXml(std::string_view utf8, XmlTreeBuilder& builder) {
  const Module xmllite(L"xmllite.dll");
  auto* createReader = xmllite.Find<CreateReaderFn>("CreateXmlReader");
  auto* createInput = xmllite.Find<CreateInputFn>("CreateXmlReaderInputWithEncodingName");
  if (!createReader || !createInput) return false;

  ComPtr<IStream> stream;
  *stream.Out() = SHCreateMemStream(reinterpret_cast<const BYTE*>(utf8.data()), static_cast<UINT>(utf8.size()));
  if (!stream) return false;
  ComPtr<IXmlReaderInput> input;
  // The encoding is fixed, not a hint: a declaration naming another is not followed.
  if (FAILED(createInput(stream.Get(), nullptr, L"utf-8", FALSE, nullptr, input.Out()))) return false;
  ComPtr<IXmlReader> reader;
  if (FAILED(createReader(__uuidof(IXmlReader), reader.OutVoid(), nullptr))) return false;
  if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxXmlDepth + 1)) ||
      FAILED(reader->SetInput(input.Get())))
    return false;
  return ReadNodes(*reader.Get(), builder, utf8.size());
}

}  // namespace okuzuke::catalogue
