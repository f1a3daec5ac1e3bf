#pragma once
// The XML form of a book (.rvl), read and written through the MSXML DOM.
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <Ravlo xmlns="(kBookNamespace)">
//     <Item type="Group|Url|GroupUrl|Separator">   the invisible root
//       <Title/> <URL/> (links only) <Message/> <Date/> <Mark/>
//       <ItemList> <Item>...</Item> ... </ItemList> (only with children)
//     </Item>
//   </Ravlo>

#include "model/BookmarkItem.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <string>

struct IXMLDOMDocument;
struct IXMLDOMElement;
struct IXMLDOMNode;

// Written into every book and required of every book read.
extern const wchar_t kBookNamespace[];

// The word the type attribute holds for `type`; nullptr for a value outside
// the four types (such values come only from binary streams).
const char* itemTypeName(ItemType type);

// Fills an existing Item element from `item` and its subtree. Throws
// std::runtime_error when the DOM refuses an operation or the tree spans more
// levels than a book may (kMaxItemDepth).
void writeItemXml(IXMLDOMDocument& document, IXMLDOMElement& element, const BookmarkItem& item);
// Fills `item` and its subtree from `node`; a node that is not an Item
// element leaves `item` as it is. Throws std::runtime_error when the DOM
// fails or the items are nested deeper than kMaxItemDepth.
void readItemXml(BookmarkItem& item, IXMLDOMNode& node);

// Puts the bytes of a book into an open file; true when all of them got there.
using BookBytesWriter = FileSystem::BytesWriter;

// Saves the tree under `root` as a book. The book goes into a temporary file
// beside `path` first, which replaces `path` only when every byte was written,
// so a failed save leaves the previous file whole; a successful one removes
// what killed saves of `path` left behind. Returns false on any failure, a
// tree nested deeper than a book can hold included (reasons are not told
// apart: the caller shows one save error). `writer` is replaceable so tests
// can make the write fail part way.
bool saveBook(const std::string& path, const BookmarkItem& root, BookBytesWriter writer = FileSystem::writeAll);

enum class BookLoad {
    Read,
    Foreign,     // well-formed XML whose document element is not in kBookNamespace
    Unreadable,  // missing or unreadable file, a DTD, XML the DOM rejects, too deep
};
// Loads the book at `path` into `root`, replacing its fields and children (a
// foreign document leaves an empty tree); an unreadable one leaves `root` as
// it was.
BookLoad loadBook(const std::string& path, BookmarkItem& root);
