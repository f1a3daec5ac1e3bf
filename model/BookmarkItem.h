#pragma once
// One node of a book: a group, a link, a link-carrying group or a separator.
// Items own their children through ItemRef; the parent link never owns.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ItemType : uint32_t { Group = 0, Url = 1, GroupUrl = 2, Separator = 3 };

class BookmarkItem;
using ItemRef = std::shared_ptr<BookmarkItem>;

// Which items the HTML output keeps: everything, or those carrying one of the
// selected marks (plus the root and the top-level items, which always match).
struct MarkFilter {
    static constexpr int MarkCount = 5;
    bool all = true;
    bool mark[MarkCount] = {false, false, false, false, false};
};

// The ordered children of a group, held in one array: the n-th child is found
// in constant time, neighbours exchange places in constant time and any
// number of children leave in one pass. Positions are array iterators: an
// insertion or a removal makes the positions from that point on invalid, so
// whoever keeps a place across changes keeps its index or its child.
class ItemList {
public:
    using Position = std::vector<ItemRef>::iterator;
    using ConstPosition = std::vector<ItemRef>::const_iterator;

    void addTail(ItemRef item) { items_.push_back(std::move(item)); }
    void addHead(ItemRef item) { items_.insert(items_.begin(), std::move(item)); }
    // Inserts before `pos`; end() (no position) means the head, as callers
    // that insert "before nothing" expect the item first.
    Position insertBefore(Position pos, ItemRef item);
    // Removes the element at `pos`, releasing that reference; returns the next position.
    Position removeAt(Position pos) { return items_.erase(pos); }
    // Removes the elements at `ascendingIndexes` in one pass, releasing those
    // references; indexes out of range are ignored.
    void removeAt(const std::vector<size_t>& ascendingIndexes);
    void removeAll() { items_.clear(); }
    // Exchanges the elements at `a` and `b`; false (nothing changes) when
    // either is out of range.
    bool exchange(size_t a, size_t b);
    // Position of the n-th element, or end() when n is out of range.
    Position findIndex(long n);
    // The n-th element; null when n is out of range.
    BookmarkItem* itemAt(long n) const;
    long indexOf(const BookmarkItem* item) const;

    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    Position begin() { return items_.begin(); }
    Position end() { return items_.end(); }
    ConstPosition begin() const { return items_.begin(); }
    ConstPosition end() const { return items_.end(); }
    auto rbegin() { return items_.rbegin(); }
    auto rend() { return items_.rend(); }
    const ItemRef& front() const { return items_.front(); }
    const ItemRef& back() const { return items_.back(); }

private:
    std::vector<ItemRef> items_;
};

class BookmarkItem {
public:
    BookmarkItem() = default;
    virtual ~BookmarkItem() = default;
    BookmarkItem(const BookmarkItem&) = delete;
    BookmarkItem& operator=(const BookmarkItem&) = delete;

    static ItemRef create() { return std::make_shared<BookmarkItem>(); }

    bool isGroup() const { return type == ItemType::Group || type == ItemType::GroupUrl; }
    bool hasUrl() const { return type == ItemType::Url || type == ItemType::GroupUrl; }
    bool isSeparator() const { return type == ItemType::Separator; }

    // Every setter replaces the type and all four texts and clears the marks.
    void assignFields(ItemType newType, const std::string& newUrl, const std::string& newTitle,
                      const std::string& newMessage, const std::string& newDate);
    void makeUrl(const std::string& title, const std::string& url, const std::string& message,
                 const std::string& date);
    void makeGroupUrl(const std::string& title, const std::string& url,
                      const std::string& message, const std::string& date);
    void makeGroup(const std::string& title, const std::string& date);
    void makeSeparator(const std::string& date);

    ItemRef addUrlChild(const std::string& title, const std::string& url,
                        const std::string& message, const std::string& date);
    ItemRef addGroupChild(const std::string& title, const std::string& date);
    // Appends `child` and makes this item its parent.
    void appendChild(const ItemRef& child);

    bool hasMark(size_t index) const;
    void setMark(size_t index, bool on);

    void applyFilter(const MarkFilter& filter);
    void setDragging(uint32_t value);
    // Part of filtered output: matched itself or kept for a matching descendant.
    bool isIncluded() const { return matched != 0 || matchedChildCount > 0; }

    uint32_t matched = 0;
    int32_t matchedChildCount = 0;
    std::string marks;
    ItemType type = ItemType::Group;
    std::string url;
    std::string title;
    std::string message;
    std::string date;
    uintptr_t treeHandle = 0;  // the tree entry that shows this group; a handle is pointer-sized
    BookmarkItem* parent = nullptr;
    uint32_t dragging = 0;
    ItemList children;

private:
    bool matchesFilter(const MarkFilter& filter) const;
};
