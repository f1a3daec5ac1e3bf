#include "model/BookmarkItem.h"

#include <utility>

ItemList::Position ItemList::insertBefore(Position pos, ItemRef item)
{
    if (pos == items_.end()) pos = items_.begin();
    return items_.insert(pos, std::move(item));
}

void ItemList::removeAt(const std::vector<size_t>& ascendingIndexes)
{
    auto removed = ascendingIndexes.begin();
    size_t kept = 0;
    for (size_t index = 0; index < items_.size(); ++index) {
        while (removed != ascendingIndexes.end() && *removed < index) ++removed;
        if (removed != ascendingIndexes.end() && *removed == index) continue;
        // Overwriting a removed element releases it.
        if (kept != index) items_[kept] = std::move(items_[index]);
        ++kept;
    }
    items_.resize(kept);
}

bool ItemList::exchange(size_t a, size_t b)
{
    if (a >= items_.size() || b >= items_.size()) return false;
    std::swap(items_[a], items_[b]);
    return true;
}

ItemList::Position ItemList::findIndex(long n)
{
    if (n < 0 || static_cast<size_t>(n) >= items_.size()) return items_.end();
    return items_.begin() + n;
}

BookmarkItem* ItemList::itemAt(long n) const
{
    if (n < 0 || static_cast<size_t>(n) >= items_.size()) return nullptr;
    return items_[static_cast<size_t>(n)].get();
}

long ItemList::indexOf(const BookmarkItem* item) const
{
    for (size_t index = 0; index < items_.size(); ++index)
        if (items_[index].get() == item) return static_cast<long>(index);
    return -1;
}

void BookmarkItem::assignFields(ItemType newType, const std::string& newUrl,
                                const std::string& newTitle, const std::string& newMessage,
                                const std::string& newDate)
{
    type = newType;
    url = newUrl;
    title = newTitle;
    message = newMessage;
    date = newDate;
    marks.clear();
}

void BookmarkItem::makeUrl(const std::string& newTitle, const std::string& newUrl,
                           const std::string& newMessage, const std::string& newDate)
{
    assignFields(ItemType::Url, newUrl, newTitle, newMessage, newDate);
}

void BookmarkItem::makeGroupUrl(const std::string& newTitle, const std::string& newUrl,
                                const std::string& newMessage, const std::string& newDate)
{
    assignFields(ItemType::GroupUrl, newUrl, newTitle, newMessage, newDate);
}

void BookmarkItem::makeGroup(const std::string& newTitle, const std::string& newDate)
{
    assignFields(ItemType::Group, std::string(), newTitle, std::string(), newDate);
}

void BookmarkItem::makeSeparator(const std::string& newDate)
{
    assignFields(ItemType::Separator, std::string(), std::string(), std::string(), newDate);
}

void BookmarkItem::appendChild(const ItemRef& child)
{
    child->parent = this;
    children.addTail(child);
}

ItemRef BookmarkItem::addUrlChild(const std::string& newTitle, const std::string& newUrl,
                                  const std::string& newMessage, const std::string& newDate)
{
    ItemRef child = create();
    child->makeUrl(newTitle, newUrl, newMessage, newDate);
    appendChild(child);
    return child;
}

ItemRef BookmarkItem::addGroupChild(const std::string& newTitle, const std::string& newDate)
{
    ItemRef child = create();
    child->makeGroup(newTitle, newDate);
    appendChild(child);
    return child;
}

bool BookmarkItem::hasMark(size_t index) const
{
    return index < marks.size() && marks[index] != '0';
}

void BookmarkItem::setMark(size_t index, bool on)
{
    const char flag = on ? '1' : '0';
    if (index < marks.size()) {
        marks[index] = flag;
        return;
    }
    marks.resize(index, '0');
    marks.push_back(flag);
}

bool BookmarkItem::matchesFilter(const MarkFilter& filter) const
{
    if (filter.all) return true;
    if (parent == nullptr || parent->parent == nullptr) return true;
    for (int i = 0; i < MarkFilter::MarkCount; ++i) {
        if (filter.mark[i] && hasMark(static_cast<size_t>(i))) return true;
    }
    return false;
}

void BookmarkItem::applyFilter(const MarkFilter& filter)
{
    matchedChildCount = 0;
    matched = matchesFilter(filter) ? 1 : 0;
    for (const ItemRef& child : children) child->applyFilter(filter);
    if (isIncluded() && parent != nullptr) ++parent->matchedChildCount;
}

void BookmarkItem::setDragging(uint32_t value)
{
    dragging = value;
    for (const ItemRef& child : children) child->setDragging(value);
}
