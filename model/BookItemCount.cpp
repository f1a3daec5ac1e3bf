#include "model/BookItemCount.h"

#include "framework/ReadOnlyMemoryFile.h"
#include "model/ItemRecord.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

constexpr std::string_view StreamMark = "Ravlo";

long countTree(const BookmarkItem& root)
{
    long count = 0;
    std::vector<const BookmarkItem*> pending{&root};
    while (!pending.empty()) {
        const BookmarkItem* item = pending.back();
        pending.pop_back();
        for (const ItemRef& child : item->children) pending.push_back(child.get());
        count += static_cast<long>(item->children.size());
    }
    return count;
}

long countRecords(std::string_view bytes)
{
    try {
        ReadOnlyMemoryFile file(bytes.data(), bytes.size());
        Archive archive(file, Archive::Mode::Load);
        const ItemRef root = BookmarkItem::create();
        if (!readItemStreamHeader(archive)) return -1;
        readItemRecord(archive, *root);
        return countTree(*root);
    } catch (const std::exception&) {
        return -1;
    }
}

// Markup characters are escaped inside texts, so every "<Item" followed by
// a blank, ">" or "/" opens an Item element (and "<ItemList" does not).
long countElements(std::string_view bytes)
{
    constexpr std::string_view Open = "<Item";
    long count = 0;
    for (size_t at = bytes.find(Open); at != std::string_view::npos; at = bytes.find(Open, at + 1)) {
        const char next = at + Open.size() < bytes.size() ? bytes[at + Open.size()] : '\0';
        if (next == ' ' || next == '>' || next == '/' || next == '\t' || next == '\r' || next == '\n') ++count;
    }
    return count - 1;  // the root
}

}  // namespace

long countBookItems(std::string_view bytes)
{
    if (bytes.substr(0, StreamMark.size()) == StreamMark) return countRecords(bytes);
    return bytes.find("<Ravlo") == std::string_view::npos ? -1 : std::max(countElements(bytes), 0L);
}
