#include "model/ItemInserter.h"

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

    const size_t point = slots_[slot].point;
    BookmarkItem* const before = point == Append ? nullptr : children.itemAt(static_cast<long>(point));
    if (before == nullptr) {
        children.addTail(item);
    } else {
        children.insertBefore(children.findIndex(static_cast<long>(point)), item);
        shiftPointsFrom(point);
    }
    item->parent = group_;
    // A separator dropped after other items follows the last of them.
    store(separatorSlot, before == nullptr ? Append : point + 1);
    return before;
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
        const size_t point = pointIgnoringType();
        for (size_t slot = 0; slot < SlotCount; ++slot) store(slot, point);
        return;
    }
    const size_t point = options_.AddPosition != 0 ? pointAfterLastMatch(type) : pointAtFirstMatch(type);
    store(slotOf(type), point);
    if (options_.SameUrlGroup != 0 && isUrlKind(type)) {
        store(static_cast<size_t>(ItemType::Url), point);
        store(static_cast<size_t>(ItemType::GroupUrl), point);
    }
}

// The child right after the last matching one; the end when that is the last
// child, when nothing matches, or for a separator.
size_t ItemInserter::pointAfterLastMatch(ItemType type) const
{
    const ItemList& children = group_->children;
    if (type == ItemType::Separator) return Append;
    for (size_t index = children.size(); index > 0; --index)
        if (matches(*children.itemAt(static_cast<long>(index - 1)), type)) return index;
    return Append;
}

// The first matching child, else the first child; the end for an empty group.
size_t ItemInserter::pointAtFirstMatch(ItemType type) const
{
    const ItemList& children = group_->children;
    if (type != ItemType::Separator)
        for (size_t index = 0; index < children.size(); ++index)
            if (matches(*children.itemAt(static_cast<long>(index)), type)) return index;
    return 0;
}

size_t ItemInserter::pointIgnoringType() const
{
    return options_.AddPosition != 0 ? Append : 0;
}

void ItemInserter::store(size_t slot, size_t point)
{
    slots_[slot].known = true;
    slots_[slot].point = point < group_->children.size() ? point : Append;
}

void ItemInserter::shiftPointsFrom(size_t index)
{
    for (Slot& slot : slots_)
        if (slot.known && slot.point != Append && slot.point >= index) ++slot.point;
}
