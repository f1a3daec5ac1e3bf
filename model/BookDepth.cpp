#include "model/BookDepth.h"

#include <algorithm>
#include <utility>

int itemLevel(const BookmarkItem& item)
{
    int level = 1;
    for (const BookmarkItem* at = item.parent; at != nullptr; at = at->parent) ++level;
    return level;
}

int subtreeLevels(const BookmarkItem& item)
{
    // An explicit stack: the tree may be deeper than the machine stack allows.
    std::vector<std::pair<const BookmarkItem*, int>> pending{{&item, 1}};
    int deepest = 0;
    while (!pending.empty()) {
        const auto [at, level] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, level);
        for (const ItemRef& child : at->children) pending.emplace_back(child.get(), level + 1);
    }
    return deepest;
}

int subtreeLevels(const std::vector<ItemRef>& items)
{
    int deepest = 0;
    for (const ItemRef& item : items) deepest = std::max(deepest, subtreeLevels(*item));
    return deepest;
}

bool fitsBelow(const BookmarkItem& group, int levels)
{
    return itemLevel(group) + levels <= kMaxItemDepth;
}
