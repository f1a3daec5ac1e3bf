#pragma once
// The binary item-record stream: older binary books, drag payloads and the
// data handed to HTML add-ins.

#include "framework/Archive.h"
#include "framework/ByteFile.h"
#include "model/BookDepth.h"
#include "model/BookmarkItem.h"

#include <cstdint>
#include <vector>

enum WriteOptions : uint32_t {
    WriteNone = 0,
    Filtered = 1u << 0,    // only items kept by the last applyFilter; no marks
    HtmlEscape = 1u << 1,  // title and message escaped for HTML
};

// The 8 bytes in front of a whole book's record stream.
extern const char kItemStreamHeader[8];

void writeItemRecord(Archive& archive, const BookmarkItem& item, uint32_t options);
// Fills `item` (a new item) and its subtree. Throws SException for a record
// with fewer than four strings and ArchiveException for a short or
// impossible stream (a count or length the remaining bytes cannot hold,
// nesting deeper than a book can hold, kMaxItemDepth); the items read so far
// stay attached.
// A negative child count reads as none. Strings after the fifth (marks) are
// read past and dropped.
void readItemRecord(Archive& archive, BookmarkItem& item);

// One record's own fields into `item`, its children left unread, for readers
// that walk the records themselves; returns the record's child count. Throws
// as readItemRecord does for the record itself.
int32_t readItemFields(Archive& archive, BookmarkItem& item);

// A whole book: the header, then the root's record. On load, a stream that is
// shorter than the header or does not begin with it leaves the root untouched.
void writeItemStream(Archive& archive, const BookmarkItem& root, uint32_t options);
void readItemStream(Archive& archive, BookmarkItem& root);
// Reads the header; false when the stream is shorter than it or begins otherwise.
bool readItemStreamHeader(Archive& archive);

// Items dragged out of a view: `count` records back to back, no header.
// Throws as readItemRecord does when the bytes do not hold them all; a
// count of zero or less reads nothing.
std::vector<ItemRef> readItemRecords(const uint8_t* bytes, size_t size, int32_t count);

// True when `file` (read from its current position) begins like a record
// stream, "Ravlo", rather than an XML book. Reads up to five bytes.
bool startsWithStreamMark(ByteFile& file);
