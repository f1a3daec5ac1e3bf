#pragma once
// The bytes of a book on their way between the file and the XML DOM.

#include <cstddef>
#include <string>

// True when the bytes may hold a document type declaration, which a book
// never has: its entities could keep the DOM busy for hours (MSXML under Wine
// expands them whatever ProhibitDTD says). Such bytes never reach the DOM.
// "<!DOCTYPE" is looked for anywhere, as 8-bit text and in the 16- and 32-bit
// forms of either byte order, and EBCDIC text is refused as a whole.
bool mayDeclareDocumentType(const char* bytes, size_t size);

// What stands for each carriage return of a text on its way through the DOM.
// Every XML reader folds a raw CR LF into LF (and the DOM under Wine drops
// the CR as it saves), so only the reference "&#13;" brings a message's CR LF
// back; the DOM writes no such reference itself. U+E800 is a private-use
// character beyond those code page 932 maps to, so no text holds it.
constexpr wchar_t kCarriageReturnStandIn = 0xE800;

// The DOM's UTF-8 serialisation of a book with each kCarriageReturnStandIn
// written as "&#13;".
std::string withCarriageReturnReferences(std::string xml);
