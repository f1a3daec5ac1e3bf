#pragma once
// Places items dropped onto a group according to the Edit options, one drop
// at a time. Items of one type dropped together stay together and keep their
// drop order, because each type keeps the child it was inserted before.

#include <array>

#include "app/AppOptions.h"
#include "model/BookmarkItem.h"

class ItemInserter {
public:
    // The options are read at every call, so a changed option applies to the next drop.
    explicit ItemInserter(const AppOptions& options) : options_(options) {}

    // Begins a drop onto `group`; forgets the insertion points of the previous drop.
    void Start(BookmarkItem& group);
    // Inserts `item` into the group's children and makes the group its parent.
    // Returns the child it now stands before, or null when it was appended.
    // Must follow Start.
    BookmarkItem* Insert(const ItemRef& item);

private:
    // One slot per item type, plus one shared by any type value outside the
    // known range (such values come in unchecked from item records).
    static constexpr size_t SlotCount = 5;
    // A point is the index of the child to insert before, or Append. An
    // index keeps naming its child because every insertion moves the points
    // at or after it on.
    static constexpr size_t Append = static_cast<size_t>(-1);
    struct Slot {
        bool known = false;
        size_t point = Append;
    };

    static size_t slotOf(ItemType type);
    static bool isUrlKind(ItemType type);
    bool matches(const BookmarkItem& child, ItemType type) const;
    void fixPoint(ItemType type);
    size_t pointAfterLastMatch(ItemType type) const;
    size_t pointAtFirstMatch(ItemType type) const;
    size_t pointIgnoringType() const;
    void store(size_t slot, size_t point);
    void shiftPointsFrom(size_t index);

    const AppOptions& options_;
    BookmarkItem* group_ = nullptr;
    std::array<Slot, SlotCount> slots_;
};
