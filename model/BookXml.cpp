#include "model/BookXml.h"

#include "model/BookBytes.h"
#include "model/BookDepth.h"
#include "platform/CodePage.h"
#include "platform/ComInit.h"
#include "platform/FileSystem.h"
#include "platform/MemoryWriteStream.h"

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>
#include <io.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

using Microsoft::WRL::ComPtr;

const wchar_t kBookNamespace[] = L"http://ravlo.tanvex.jp/Application/Ravlo/106";

namespace {

// MSXML 6: present on every supported Windows and in Wine. On Windows it
// refuses DTDs by default; Wine's does not, so no DTD ever reaches it.
const CLSID kDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
// IXMLDOMDocument2, for setProperty; mingw's import library lacks it.
const IID kDomDocument2Interface = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

const wchar_t kBookTemplate[] = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?><Ravlo/>";
const wchar_t kItemElement[] = L"Item";
const wchar_t kItemListElement[] = L"ItemList";
const wchar_t kTypeAttribute[] = L"type";

struct TypeName {
    ItemType type;
    const char* name;
};
const TypeName kTypeNames[] = {
    {ItemType::Group, "Group"},
    {ItemType::Url, "Url"},
    {ItemType::GroupUrl, "GroupUrl"},
    {ItemType::Separator, "Separator"},
};
// What an unknown type word (or a missing one) reads as.
constexpr ItemType kFallbackType = ItemType::Url;

// The text fields in the order they are written.
struct TextField {
    const wchar_t* element;
    std::string BookmarkItem::*member;
    bool linksOnly;
};
const TextField kTextFields[] = {
    {L"Title", &BookmarkItem::title, false},
    {L"URL", &BookmarkItem::url, true},
    {L"Message", &BookmarkItem::message, false},
    {L"Date", &BookmarkItem::date, false},
    {L"Mark", &BookmarkItem::marks, false},
};

// ------------------------------------------------------------ COM plumbing

void check(HRESULT result)
{
    if (result == E_OUTOFMEMORY) throw std::bad_alloc();
    if (FAILED(result)) throw std::runtime_error("the XML DOM refused an operation");
}

using BstrPtr = std::unique_ptr<OLECHAR, void (*)(BSTR)>;

BstrPtr makeBstr(const std::wstring& text)
{
    BSTR raw = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (raw == nullptr) throw std::bad_alloc();
    return BstrPtr(raw, SysFreeString);
}

// Takes ownership of a BSTR the DOM handed out.
std::wstring takeBstr(BSTR raw)
{
    const BstrPtr owner(raw, SysFreeString);
    return raw == nullptr ? std::wstring() : std::wstring(raw, SysStringLen(raw));
}

VARIANT bstrVariant(const BstrPtr& text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = text.get();
    return value;
}

void ensureSucceeded(VARIANT_BOOL success)
{
    if (success != VARIANT_TRUE) throw std::runtime_error("the XML DOM could not parse the book");
}

// MSXML 6 on Windows reads as deep as the DOM under Wine, whose fixed limit
// (it ignores the property) decides how deep a book may be.
void allowBookDepth(IXMLDOMDocument& document)
{
    ComPtr<IXMLDOMDocument2> settings;
    if (FAILED(document.QueryInterface(kDomDocument2Interface, reinterpret_cast<void**>(settings.GetAddressOf()))))
        return;
    VARIANT depth;
    VariantInit(&depth);
    depth.vt = VT_I4;
    depth.lVal = kDomElementDepth;
    settings->setProperty(makeBstr(L"MaxElementDepth").get(), depth);
}

// The one place that decides how every book document behaves: synchronous,
// and keeping blanks (otherwise `text` trims the blanks around titles).
ComPtr<IXMLDOMDocument> createDocument()
{
    ComPtr<IXMLDOMDocument> document;
    check(CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                           reinterpret_cast<void**>(document.GetAddressOf())));
    check(document->put_async(VARIANT_FALSE));
    check(document->put_preserveWhiteSpace(VARIANT_TRUE));
    allowBookDepth(*document.Get());
    return document;
}

ComPtr<IXMLDOMElement> createElement(IXMLDOMDocument& document, const wchar_t* name)
{
    ComPtr<IXMLDOMElement> element;
    check(document.createElement(makeBstr(name).get(), element.GetAddressOf()));
    return element;
}

void appendChild(IXMLDOMNode& parent, IXMLDOMNode& child)
{
    check(parent.appendChild(&child, nullptr));
}

void setAttribute(IXMLDOMElement& element, const wchar_t* name, const std::wstring& value)
{
    const BstrPtr text = makeBstr(value);
    check(element.setAttribute(makeBstr(name).get(), bstrVariant(text)));
}

ComPtr<IXMLDOMNode> firstChild(IXMLDOMNode& node)
{
    ComPtr<IXMLDOMNode> child;
    check(node.get_firstChild(child.GetAddressOf()));
    return child;
}

// Walking siblings rather than childNodes.item(i): Wine finds item(i) by
// counting from the first child, which makes a large group quadratic.
ComPtr<IXMLDOMNode> nextSibling(IXMLDOMNode& node)
{
    ComPtr<IXMLDOMNode> sibling;
    check(node.get_nextSibling(sibling.GetAddressOf()));
    return sibling;
}

DOMNodeType nodeType(IXMLDOMNode& node)
{
    DOMNodeType type = NODE_INVALID;
    check(node.get_nodeType(&type));
    return type;
}

// The name of an element; empty for every other kind of node (whose
// names, such as "#text" or a processing instruction's target, never count).
std::wstring elementName(IXMLDOMNode& node)
{
    if (nodeType(node) != NODE_ELEMENT) return {};
    BSTR name = nullptr;
    check(node.get_nodeName(&name));
    return takeBstr(name);
}

std::wstring textOf(IXMLDOMNode& node)
{
    BSTR text = nullptr;
    check(node.get_text(&text));
    return takeBstr(text);
}

// Blanks and line breaks between the elements of an indented book.
bool isFormatting(IXMLDOMNode& node)
{
    return nodeType(node) == NODE_TEXT && textOf(node).find_first_not_of(L" \t\r\n") == std::wstring::npos;
}

// The attribute's text, or empty when the node has none.
std::wstring attributeOf(IXMLDOMNode& node, const wchar_t* name)
{
    ComPtr<IXMLDOMElement> element;
    check(node.QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(element.GetAddressOf())));
    VARIANT value;
    VariantInit(&value);
    check(element->getAttribute(makeBstr(name).get(), &value));
    const std::wstring text = value.vt == VT_BSTR ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal))
                                                   : std::wstring();
    VariantClear(&value);
    return text;
}

// Wine answers nothing to getAttribute("xmlns"); the namespace the parser
// resolved is the same text on every DOM. Only a default namespace counts:
// a prefixed element was not declared with xmlns="...".
std::wstring defaultNamespaceOf(IXMLDOMNode& node)
{
    BSTR prefix = nullptr;
    check(node.get_prefix(&prefix));
    if (!takeBstr(prefix).empty()) return std::wstring();
    BSTR uri = nullptr;
    check(node.get_namespaceURI(&uri));
    return takeBstr(uri);
}

// The document's bytes exactly as save() writes them (UTF-8 with its declaration).
std::string serialized(IXMLDOMDocument& document)
{
    ComPtr<MemoryWriteStream> stream;
    stream.Attach(MemoryWriteStream::create());
    VARIANT destination;
    VariantInit(&destination);
    destination.vt = VT_UNKNOWN;
    destination.punkVal = stream.Get();
    check(document.save(destination));
    return stream->bytes();
}

using SafeArrayPtr = std::unique_ptr<SAFEARRAY, HRESULT (*)(SAFEARRAY*)>;
using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The whole file as a byte array for load(): reading it ourselves is an order
// of magnitude faster under Wine than load(path), and the parser still sees
// the bytes with their encoding declaration.
SafeArrayPtr readFileBytes(const std::string& path)
{
    const FilePtr file(FileSystem::open(path, "rb"), std::fclose);
    if (!file) throw std::runtime_error("cannot open the book");
    const long long size = _filelengthi64(_fileno(file.get()));
    if (size < 0 || static_cast<unsigned long long>(size) > ULONG_MAX)
        throw std::runtime_error("the book is too large");
    SafeArrayPtr bytes(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size)), SafeArrayDestroy);
    if (!bytes) throw std::bad_alloc();
    void* data = nullptr;
    check(SafeArrayAccessData(bytes.get(), &data));
    const size_t read = std::fread(data, 1, static_cast<size_t>(size), file.get());
    SafeArrayUnaccessData(bytes.get());
    if (read != static_cast<size_t>(size)) throw std::runtime_error("cannot read the book");
    return bytes;
}

// ------------------------------------------------------------ the book

[[noreturn]] void throwTooDeep()
{
    throw std::runtime_error("items nested too deeply for a book");
}

// A type from outside the four is written as the type it reads back as.
ItemType writtenType(ItemType type)
{
    return itemTypeName(type) != nullptr ? type : kFallbackType;
}

ItemType typeFromName(const std::string& name)
{
    for (const TypeName& entry : kTypeNames)
        if (name == entry.name) return entry.type;
    return kFallbackType;
}

bool isXmlCharacter(wchar_t c)
{
    return c >= 0x20 ? c < 0xFFFE : c == L'\t' || c == L'\n' || c == L'\r';
}

// The DOM writes control characters as they are, and a file holding one is
// not XML: the whole book would no longer open. They are dropped instead
// (932 text never turns into the other characters XML forbids). Carriage
// returns travel as their stand-in.
std::wstring xmlText(const std::string& text932)
{
    std::wstring text = CodePage::toWide(text932);
    text.erase(std::remove_if(text.begin(), text.end(), [](wchar_t c) { return !isXmlCharacter(c); }), text.end());
    std::replace(text.begin(), text.end(), L'\r', kCarriageReturnStandIn);
    return text;
}

void appendTextElement(IXMLDOMDocument& document, IXMLDOMElement& parent, const wchar_t* name,
                       const std::string& text932)
{
    const ComPtr<IXMLDOMElement> element = createElement(document, name);
    ComPtr<IXMLDOMText> text;
    check(document.createTextNode(makeBstr(xmlText(text932)).get(), text.GetAddressOf()));
    appendChild(*element.Get(), *text.Get());
    appendChild(parent, *element.Get());
}

void writeItem(IXMLDOMDocument& document, IXMLDOMElement& element, const BookmarkItem& item)
{
    const ItemType type = writtenType(item.type);
    const char* typeName = itemTypeName(type);
    setAttribute(element, kTypeAttribute, std::wstring(typeName, typeName + std::strlen(typeName)));
    const bool hasUrl = type == ItemType::Url || type == ItemType::GroupUrl;
    for (const TextField& field : kTextFields)
        if (hasUrl || !field.linksOnly) appendTextElement(document, element, field.element, item.*field.member);
    if (item.children.empty()) return;

    const ComPtr<IXMLDOMElement> list = createElement(document, kItemListElement);
    for (const ItemRef& child : item.children) {
        const ComPtr<IXMLDOMElement> childElement = createElement(document, kItemElement);
        writeItem(document, *childElement.Get(), *child);
        appendChild(*list.Get(), *childElement.Get());
    }
    appendChild(element, *list.Get());
}

void readItem(BookmarkItem& item, IXMLDOMNode& node, int depth);

void readItemList(BookmarkItem& item, IXMLDOMNode& list, int depth)
{
    for (ComPtr<IXMLDOMNode> node = firstChild(list); node; node = nextSibling(*node.Get())) {
        if (isFormatting(*node.Get())) continue;
        // Any other node (a comment, stray text, another element) still takes
        // its place in the list as an empty group.
        const ItemRef child = BookmarkItem::create();
        readItem(*child, *node.Get(), depth + 1);
        item.appendChild(child);
    }
}

void readItemChild(BookmarkItem& item, IXMLDOMNode& node, int depth)
{
    const std::wstring name = elementName(node);
    if (name == kItemListElement) {
        readItemList(item, node, depth);
        return;
    }
    for (const TextField& field : kTextFields) {
        if (name == field.element) {
            item.*field.member = CodePage::fromWide(textOf(node));
            return;
        }
    }
}

void readItem(BookmarkItem& item, IXMLDOMNode& node, int depth)
{
    if (depth > kMaxItemDepth) throwTooDeep();
    if (elementName(node) != kItemElement) return;
    item.type = typeFromName(CodePage::fromWide(attributeOf(node, kTypeAttribute)));
    for (ComPtr<IXMLDOMNode> child = firstChild(node); child; child = nextSibling(*child.Get()))
        readItemChild(item, *child.Get(), depth);
}

ComPtr<IXMLDOMNode> firstItemElement(IXMLDOMNode& parent)
{
    for (ComPtr<IXMLDOMNode> node = firstChild(parent); node; node = nextSibling(*node.Get()))
        if (elementName(*node.Get()) == kItemElement) return node;
    return nullptr;
}

// False for a document of another program (or another version): nothing is read.
bool readDocument(IXMLDOMDocument& document, BookmarkItem& root)
{
    ComPtr<IXMLDOMElement> top;
    check(document.get_documentElement(top.GetAddressOf()));
    if (!top || defaultNamespaceOf(*top.Get()) != kBookNamespace) return false;
    if (const ComPtr<IXMLDOMNode> item = firstItemElement(*top.Get())) readItemXml(root, *item.Get());
    return true;
}

std::string bookBytes(const BookmarkItem& root)
{
    const ComInit com;
    if (!com.usable()) throw std::runtime_error("COM is not available");
    const ComPtr<IXMLDOMDocument> document = createDocument();
    VARIANT_BOOL parsed = VARIANT_FALSE;
    check(document->loadXML(makeBstr(kBookTemplate).get(), &parsed));
    ensureSucceeded(parsed);
    ComPtr<IXMLDOMElement> top;
    check(document->get_documentElement(top.GetAddressOf()));
    setAttribute(*top.Get(), L"xmlns", kBookNamespace);

    const ComPtr<IXMLDOMElement> item = createElement(*document.Get(), kItemElement);
    writeItemXml(*document.Get(), *item.Get(), root);
    appendChild(*top.Get(), *item.Get());
    return withCarriageReturnReferences(serialized(*document.Get()));
}

// Refuses what a book never holds before the DOM sees it.
bool mayHoldDocumentType(SAFEARRAY& bytes)
{
    void* data = nullptr;
    check(SafeArrayAccessData(&bytes, &data));
    const bool refused = mayDeclareDocumentType(static_cast<const char*>(data), bytes.rgsabound[0].cElements);
    SafeArrayUnaccessData(&bytes);
    return refused;
}

BookLoad parseBook(const std::string& path, BookmarkItem& loaded)
{
    const SafeArrayPtr bytes = readFileBytes(path);
    if (mayHoldDocumentType(*bytes)) return BookLoad::Unreadable;
    const ComInit com;
    if (!com.usable()) return BookLoad::Unreadable;
    const ComPtr<IXMLDOMDocument> document = createDocument();
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = bytes.get();
    VARIANT_BOOL parsed = VARIANT_FALSE;
    check(document->load(source, &parsed));
    if (parsed != VARIANT_TRUE) return BookLoad::Unreadable;
    return readDocument(*document.Get(), loaded) ? BookLoad::Read : BookLoad::Foreign;
}

void adoptLoaded(BookmarkItem& root, BookmarkItem& loaded)
{
    root.type = loaded.type;
    for (const TextField& field : kTextFields) root.*field.member = std::move(loaded.*field.member);
    root.children = std::move(loaded.children);
    for (const ItemRef& child : root.children) child->parent = &root;
}

}  // namespace

const char* itemTypeName(ItemType type)
{
    for (const TypeName& entry : kTypeNames)
        if (entry.type == type) return entry.name;
    return nullptr;
}

void writeItemXml(IXMLDOMDocument& document, IXMLDOMElement& element, const BookmarkItem& item)
{
    if (subtreeLevels(item) > kMaxItemDepth) throwTooDeep();
    writeItem(document, element, item);
}

void readItemXml(BookmarkItem& item, IXMLDOMNode& node)
{
    readItem(item, node, 1);
}

bool saveBook(const std::string& path, const BookmarkItem& root, BookBytesWriter writer)
{
    try {
        return FileSystem::writeReplacing(path, bookBytes(root), writer);
    } catch (const std::exception&) {
        return false;
    }
}

BookLoad loadBook(const std::string& path, BookmarkItem& root)
{
    try {
        BookmarkItem loaded;
        const BookLoad result = parseBook(path, loaded);
        if (result != BookLoad::Unreadable) adoptLoaded(root, loaded);
        return result;
    } catch (const std::exception&) {
        return BookLoad::Unreadable;
    }
}
