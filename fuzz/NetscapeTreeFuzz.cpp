// Feeds arbitrary bytes to the tree reader of Netscape bookmark files. The
// tree must stay within the reader's nesting bound, its counts must match
// what it holds, and every item needs markup of its own in the input.

#include "import/NetscapeTreeReader.h"

#include <cstdlib>
#include <string_view>

namespace {

struct Census {
    size_t folders = 0;
    size_t links = 0;
    size_t items = 0;
};

void count(const BookmarkItem& group, int depth, Census& census)
{
    if (depth > NetscapeTreeReader::MaxNesting) std::abort();
    for (const ItemRef& child : group.children) {
        if (child->parent != &group) std::abort();
        ++census.items;
        if (child->isGroup()) ++census.folders;
        if (child->type == ItemType::Url) ++census.links;
        count(*child, depth + 1, census);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TreeImport imported = NetscapeTreeReader::read(bytes, "fuzz.html", "2024/01/02");
    Census census;
    count(*imported.group, 0, census);
    if (census.folders != imported.folders || census.links != imported.links) std::abort();
    // The shortest markup of an item, "<a>", takes three bytes.
    if (census.items > size / 3) std::abort();
    return 0;
}
