#include "model/ItemRecord.h"

#include "framework/ArchiveException.h"
#include "framework/MemoryFile.h"
#include "model/HtmlEscape.h"
#include "model/SException.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

const char kItemStreamHeader[8] = {'R', 'a', 'v', 'l', 'o', '0', '0', '1'};

namespace {

constexpr int32_t kStringsWithoutMarks = 4;
constexpr int32_t kStringsWithMarks = 5;
// The smallest record that can be read: type, childCount and stringCount
// (with fewer than four strings it is refused with its own message).
constexpr uint64_t kMinRecordSize = 3 * 4;

[[noreturn]] void throwBadFormat(const char* what)
{
    throw ArchiveException(ArchiveException::Cause::BadFormat, what);
}

bool isWritten(const BookmarkItem& item, uint32_t options)
{
    return (options & Filtered) == 0 || item.isIncluded();
}

// With Filtered, counted from the children themselves rather than taken from
// matchedChildCount, so the count always agrees with the records that follow
// even when the tree changed after the last filter pass.
int32_t writtenChildCount(const BookmarkItem& item, uint32_t options)
{
    if ((options & Filtered) == 0) return static_cast<int32_t>(item.children.size());
    return static_cast<int32_t>(std::count_if(item.children.begin(), item.children.end(),
                                              [](const ItemRef& child) { return child->isIncluded(); }));
}

void writeText(Archive& archive, const std::string& text, uint32_t options)
{
    if ((options & HtmlEscape) != 0)
        archive.writeString(htmlEscape(text));
    else
        archive.writeString(text);
}

void writeFields(Archive& archive, const BookmarkItem& item, uint32_t options)
{
    static const std::string noText;
    const bool filtered = (options & Filtered) != 0;
    archive.writeInt32(static_cast<int32_t>(item.type));
    archive.writeInt32(writtenChildCount(item, options));
    archive.writeInt32(filtered ? kStringsWithoutMarks : kStringsWithMarks);
    writeText(archive, item.title, options);
    // An item kept only for a matching descendant carries no link.
    archive.writeString(filtered && item.matched == 0 ? noText : item.url);
    writeText(archive, item.message, options);
    archive.writeString(item.date);
    if (!filtered) archive.writeString(item.marks);
}

}  // namespace

void writeItemRecord(Archive& archive, const BookmarkItem& item, uint32_t options)
{
    // Depth first with an explicit stack: a deep tree must not exhaust the
    // machine stack.
    struct Frame {
        const BookmarkItem* item;
        ItemList::ConstPosition next;
    };
    writeFields(archive, item, options);
    std::vector<Frame> stack{{&item, item.children.begin()}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.item->children.end()) {
            stack.pop_back();
            continue;
        }
        const BookmarkItem& child = **top.next++;
        if (!isWritten(child, options)) continue;
        writeFields(archive, child, options);
        stack.push_back({&child, child.children.begin()});
    }
}

// Counts are checked against the bytes left before anything is read or
// looped over, so a hostile count fails at once.
int32_t readItemFields(Archive& archive, BookmarkItem& item)
{
    item.type = static_cast<ItemType>(archive.readInt32());
    // A negative count means no children.
    const int32_t childCount = std::max(archive.readInt32(), 0);
    const int32_t stringCount = archive.readInt32();
    if (stringCount < kStringsWithoutMarks)
        throw SException("Itemに付属する文字列の数に対応できません。", 0);
    if (static_cast<uint64_t>(stringCount) > archive.bytesRemaining() / 4)
        throwBadFormat("more strings than the item record holds");
    item.title = archive.readString();
    item.url = archive.readString();
    item.message = archive.readString();
    item.date = archive.readString();
    item.marks = stringCount >= kStringsWithMarks ? archive.readString() : std::string();
    // Strings beyond the marks would come from a later writer: they are
    // skipped, so the records after this one still read in step.
    for (int32_t extra = kStringsWithMarks; extra < stringCount; ++extra) archive.readString();
    if (static_cast<uint64_t>(childCount) > archive.bytesRemaining() / kMinRecordSize)
        throwBadFormat("more children than the item record holds");
    return childCount;
}

void readItemRecord(Archive& archive, BookmarkItem& item)
{
    struct Frame {
        BookmarkItem* item;
        int32_t childrenLeft;
    };
    std::vector<Frame> stack{{&item, readItemFields(archive, item)}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.childrenLeft == 0) {
            stack.pop_back();
            continue;
        }
        --top.childrenLeft;
        // Deeper items would make a book that cannot be saved and opened again.
        if (stack.size() >= static_cast<size_t>(kMaxItemDepth))
            throwBadFormat(("items nested deeper than the " + std::to_string(kMaxItemDepth) +
                            " levels a book can hold").c_str());
        BookmarkItem* parent = top.item;
        ItemRef child = BookmarkItem::create();
        const int32_t childCount = readItemFields(archive, *child);
        parent->appendChild(child);
        stack.push_back({child.get(), childCount});
    }
}

void writeItemStream(Archive& archive, const BookmarkItem& root, uint32_t options)
{
    archive.writeBytes(kItemStreamHeader, sizeof kItemStreamHeader);
    writeItemRecord(archive, root, options);
}

bool readItemStreamHeader(Archive& archive)
{
    if (archive.bytesRemaining() < sizeof kItemStreamHeader) return false;
    char header[sizeof kItemStreamHeader];
    archive.readBytes(header, sizeof header);
    return std::memcmp(header, kItemStreamHeader, sizeof header) == 0;
}

void readItemStream(Archive& archive, BookmarkItem& root)
{
    if (readItemStreamHeader(archive)) readItemRecord(archive, root);
}

std::vector<ItemRef> readItemRecords(const uint8_t* bytes, size_t size, int32_t count)
{
    MemoryFile file(bytes, size);
    Archive archive(file, Archive::Mode::Load);
    std::vector<ItemRef> items;
    for (int32_t index = 0; index < count; ++index) {
        ItemRef item = BookmarkItem::create();
        readItemRecord(archive, *item);
        items.push_back(std::move(item));
    }
    return items;
}

bool startsWithStreamMark(ByteFile& file)
{
    static const char mark[] = "Ravlo";
    char head[sizeof mark - 1] = {};
    return file.read(head, sizeof head) == sizeof head && std::memcmp(head, mark, sizeof head) == 0;
}
