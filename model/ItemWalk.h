#pragma once
// Visits every item below a root in book order (a group before its
// children), without recursion: a book may be nested thousands of levels deep.

#include "model/BookmarkItem.h"

#include <utility>
#include <vector>

class ItemWalk {
public:
    // Calls visit(BookmarkItem&) for each descendant of `root`, not for `root`.
    template <typename Visit>
    static void forEachDescendant(const BookmarkItem& root, Visit visit)
    {
        std::vector<std::pair<ItemList::ConstPosition, ItemList::ConstPosition>> pending;
        pending.emplace_back(root.children.begin(), root.children.end());
        while (!pending.empty()) {
            auto& level = pending.back();
            if (level.first == level.second) {
                pending.pop_back();
                continue;
            }
            BookmarkItem& item = **level.first++;
            visit(item);
            if (!item.children.empty()) pending.emplace_back(item.children.begin(), item.children.end());
        }
    }
};
