#include "model/ItemInserter.h"

#include <algorithm>
#include <stdexcept>

namespace {
constexpr size_t separatorSlot = static_cast<size_t>(ItemType::Separator);
constexpr size_t otherSlot = separatorSlot + 1;
}

void ItemInserter::Start(BookmarkItem& group)
{
    group_ = &group;
    slots_.fill(Slot());
}

BookmarkItem* ItemInserter::Insert(const ItemRef& item)
{
    if (group_ == nullptr) throw std::logic_error("ItemInserter::Insert called before Start");
    ItemList& children = group_->children;
    const size_t slot = slotOf(item->type);
    if (!slots_[slot].known) fixPoint(item->type);

    const ItemList::Position point = slots_[slot].point;
    if (point == children.end())
        children.addTail(item);
    else
        children.insertBefore(point, item);
    item->parent = group_;
    // A separator dropped after other items follows the last of them.
    store(separatorSlot, point);
    return point == children.end() ? nullptr : point->get();
}

size_t ItemInserter::slotOf(ItemType type)
{
    const auto value = static_cast<size_t>(type);
    return value < otherSlot ? value : otherSlot;
}

bool ItemInserter::isUrlKind(ItemType type)
{
    return type == ItemType::Url || type == ItemType::GroupUrl;
}

bool ItemInserter::matches(const BookmarkItem& child, ItemType type) const
{
    if (child.type == type) return true;
    return options_.SameUrlGroup != 0 && isUrlKind(child.type) && isUrlKind(type);
}

void ItemInserter::fixPoint(ItemType type)
{
    if (options_.SameItemType == 0) {
        const ItemList::Position point = pointIgnoringType();
        for (size_t slot = 0; slot < SlotCount; ++slot) store(slot, point);
        return;
    }
    const ItemList::Position point =
        options_.AddPosition != 0 ? pointAfterLastMatch(type) : pointAtFirstMatch(type);
    store(slotOf(type), point);
    if (options_.SameUrlGroup != 0 && isUrlKind(type)) {
        store(static_cast<size_t>(ItemType::Url), point);
        store(static_cast<size_t>(ItemType::GroupUrl), point);
    }
}

// The child right after the last matching one; the end when that is the last
// child, when nothing matches, or for a separator.
ItemList::Position ItemInserter::pointAfterLastMatch(ItemType type)
{
    ItemList& children = group_->children;
    if (type == ItemType::Separator) return children.end();
    const auto last = std::find_if(children.rbegin(), children.rend(),
                                   [&](const ItemRef& child) { return matches(*child, type); });
    return last == children.rend() ? children.end() : last.base();
}

// The first matching child, else the first child; the end for an empty group.
ItemList::Position ItemInserter::pointAtFirstMatch(ItemType type)
{
    ItemList& children = group_->children;
    if (type == ItemType::Separator) return children.begin();
    const auto first = std::find_if(children.begin(), children.end(),
                                    [&](const ItemRef& child) { return matches(*child, type); });
    return first == children.end() ? children.begin() : first;
}

ItemList::Position ItemInserter::pointIgnoringType()
{
    ItemList& children = group_->children;
    return options_.AddPosition != 0 ? children.end() : children.begin();
}

void ItemInserter::store(size_t slot, ItemList::Position point)
{
    slots_[slot].known = true;
    slots_[slot].point = point;
}
