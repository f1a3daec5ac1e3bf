#include "model/BookEditor.h"

#include "model/BookChanges.h"
#include "model/BookDepth.h"
#include "model/ItemInserter.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

using ItemSet = std::unordered_set<const BookmarkItem*>;

bool hasAncestorIn(const BookmarkItem& item, const ItemSet& items)
{
    for (const BookmarkItem* above = item.parent; above != nullptr; above = above->parent)
        if (items.count(above) != 0) return true;
    return false;
}

// `items` by the group that holds them, groups in the order first met. An
// item inside another one of `items` goes with that one.
std::vector<std::pair<BookmarkItem*, std::vector<BookmarkItem*>>> byGroup(const std::vector<BookmarkItem*>& items)
{
    const ItemSet all(items.begin(), items.end());
    std::vector<std::pair<BookmarkItem*, std::vector<BookmarkItem*>>> groups;
    std::unordered_map<const BookmarkItem*, size_t> slotOf;
    for (BookmarkItem* item : items) {
        if (item->parent == nullptr || hasAncestorIn(*item, all)) continue;
        const auto slot = slotOf.emplace(item->parent, groups.size());
        if (slot.second) groups.emplace_back(item->parent, std::vector<BookmarkItem*>());
        groups[slot.first->second].second.push_back(item);
    }
    return groups;
}

}  // namespace

bool BookEditor::admitsBelow(const BookmarkItem& group, int levels)
{
    if (fitsBelow(group, levels)) return true;
    changes_.refuseTooDeep();
    return false;
}

bool BookEditor::insertItems(BookmarkItem& group, BookmarkItem* before, const std::vector<ItemRef>& items,
                             bool select)
{
    if (!admitsBelow(group, subtreeLevels(items))) return false;
    linkBefore(group, before, items, select);
    changes_.markModified();
    return true;
}

bool BookEditor::insertEach(BookmarkItem& group, BookmarkItem* before, const std::vector<ItemRef>& items)
{
    if (!admitsBelow(group, subtreeLevels(items))) return false;
    for (const ItemRef& item : items) linkBefore(group, before, {item}, false);
    changes_.markModified();
    return true;
}

void BookEditor::linkBefore(BookmarkItem& group, BookmarkItem* before, const std::vector<ItemRef>& items, bool select)
{
    ItemList& children = group.children;
    // Positions in the children do not survive an insertion: count them.
    const long found = before != nullptr ? children.indexOf(before) : -1;
    UpdateHint hint;
    hint.group = &group;
    hint.before = found >= 0 ? before : nullptr;
    hint.select = select;
    long at = found;
    for (const ItemRef& item : items) {
        item->parent = &group;
        // insertBefore(end) would put the item first.
        if (at < 0)
            children.addTail(item);
        else
            children.insertBefore(children.findIndex(at++), item);
        hint.items.push_back(item.get());
    }
    changes_.announceChange(HintItemsAdded, hint);
}

bool BookEditor::placeItems(BookmarkItem& group, const std::vector<ItemRef>& items, const AppOptions& options)
{
    if (items.empty()) return true;
    if (!admitsBelow(group, subtreeLevels(items))) return false;
    ItemInserter inserter(options);
    inserter.Start(group);
    for (const ItemRef& item : items) {
        UpdateHint hint;
        hint.group = &group;
        hint.before = inserter.Insert(item);
        hint.items = {item.get()};
        changes_.announceChange(HintItemsAdded, hint);
    }
    changes_.markModified();
    return true;
}

void BookEditor::removeItems(BookmarkItem& group, const std::vector<BookmarkItem*>& items)
{
    const ItemSet leaving(items.begin(), items.end());
    std::vector<size_t> indexes;
    UpdateHint hint;
    hint.group = &group;
    for (size_t index = 0; index < group.children.size(); ++index) {
        BookmarkItem* const child = group.children.itemAt(static_cast<long>(index));
        if (leaving.count(child) == 0) continue;
        indexes.push_back(index);
        hint.items.push_back(child);
    }
    if (!hint.items.empty()) changes_.announceChange(HintItemsRemoved, hint);
    for (BookmarkItem* const child : hint.items) child->parent = nullptr;
    group.children.removeAt(indexes);
    changes_.markModified();
}

void BookEditor::removeFromTheirGroups(const std::vector<BookmarkItem*>& items)
{
    for (const auto& group : byGroup(items)) removeItems(*group.first, group.second);
}

bool BookEditor::moveUp(BookmarkItem& group, std::vector<long> positions)
{
    sortDistinct(positions);
    if (positions.empty() || positions.front() < 1 || positions.back() >= static_cast<long>(group.children.size()))
        return false;
    const std::vector<ItemList::Position> at = positionsOf(group, positions);
    for (size_t j = 0; j < at.size(); ++j) exchange(group, at[j], positions[j], std::prev(at[j]), positions[j] - 1);
    changes_.markModified();
    return true;
}

bool BookEditor::moveDown(BookmarkItem& group, std::vector<long> positions)
{
    sortDistinct(positions);
    if (positions.empty() || positions.front() < 0 || positions.back() + 1 >= static_cast<long>(group.children.size()))
        return false;
    const std::vector<ItemList::Position> at = positionsOf(group, positions);
    for (size_t j = at.size(); j-- > 0;) exchange(group, at[j], positions[j], std::next(at[j]), positions[j] + 1);
    changes_.markModified();
    return true;
}

void BookEditor::exchange(BookmarkItem& group, ItemList::Position atA, long a, ItemList::Position atB, long b)
{
    std::swap(*atA, *atB);
    UpdateHint hint;
    hint.group = &group;
    hint.positionA = a;
    hint.positionB = b;
    hint.items = {atA->get(), atB->get()};
    changes_.announceChange(HintItemsSwapped, hint);
}

std::vector<ItemList::Position> BookEditor::positionsOf(BookmarkItem& group, const std::vector<long>& indexes)
{
    std::vector<ItemList::Position> positions;
    positions.reserve(indexes.size());
    auto position = group.children.begin();
    long index = 0;
    for (const long wanted : indexes) {
        for (; index < wanted; ++index) ++position;
        positions.push_back(position);
    }
    return positions;
}

void BookEditor::sortDistinct(std::vector<long>& positions)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
}

void BookEditor::sortGroup(BookmarkItem& group, SortKey key, const TitleCollation& collation)
{
    sortChildren(group, key, collation);
    UpdateHint hint;
    hint.group = &group;
    changes_.announceChange(HintChildrenReordered, hint);
    changes_.markModified();
}
