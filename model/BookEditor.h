#pragma once
// Every change to which items stand where in a book goes through here: the
// layer changes the tree, then has the owner announce the hints the views
// follow and mark the book modified, so each rule and each hint exists once.
// Views, the drop window, the import command and the document make one call
// per change. (Changed fields of an item are announced by whoever changed
// them.)

#include "model/BookmarkItem.h"
#include "model/ChildrenSort.h"

#include <vector>

struct AppOptions;
class BookChanges;
class TitleCollation;

class BookEditor {
public:
    explicit BookEditor(BookChanges& changes) : changes_(changes) {}

    // Whether items spanning `levels` levels may become children of `group`;
    // when they would stand deeper than a book holds, the owner tells the
    // user and the answer is false.
    bool admitsBelow(const BookmarkItem& group, int levels);

    // The insertions below refuse, changing nothing and answering false,
    // what admitsBelow refuses.

    // Puts `items` into `group` in their order before its child `before`
    // (null, or not a child: at the end) and announces them in one
    // HintItemsAdded; with `select` the views select the new rows. The book
    // counts as modified even for no items: an import that kept none still
    // changed it.
    bool insertItems(BookmarkItem& group, BookmarkItem* before, const std::vector<ItemRef>& items,
                     bool select = false);
    bool appendItems(BookmarkItem& group, const std::vector<ItemRef>& items, bool select = false)
    {
        return insertItems(group, nullptr, items, select);
    }
    // The same for dropped items, which are announced one HintItemsAdded
    // each.
    bool insertEach(BookmarkItem& group, BookmarkItem* before, const std::vector<ItemRef>& items);
    // Places dropped `items` in `group` by the Edit options, one
    // HintItemsAdded per item naming the child it landed before.
    bool placeItems(BookmarkItem& group, const std::vector<ItemRef>& items, const AppOptions& options);

    // Takes `items` out of `group` after one HintItemsRemoved (the views let
    // go of them while they are still linked). The book counts as modified
    // even when `items` is empty, as after the list's Delete without rows.
    void removeItems(BookmarkItem& group, const std::vector<BookmarkItem*>& items);
    // Takes each of `items` out of whichever group holds it: one hint per
    // group. Items without a parent stay; nothing happens for none.
    void removeFromTheirGroups(const std::vector<BookmarkItem*>& items);

    // Moves the children at `positions` of `group` one place up or down,
    // a block of neighbours as a block, one HintItemsSwapped per exchange.
    // Nothing moves when any of them is already first (up) or last (down).
    // True when something moved.
    bool moveUp(BookmarkItem& group, std::vector<long> positions);
    bool moveDown(BookmarkItem& group, std::vector<long> positions);

    // Puts the children of `group` in order (ChildrenSort.h) and announces
    // it in one HintChildrenReordered.
    void sortGroup(BookmarkItem& group, SortKey key, const TitleCollation& collation);

private:
    // Links `items` into `group` before `before` and announces them in one hint.
    void linkBefore(BookmarkItem& group, BookmarkItem* before, const std::vector<ItemRef>& items, bool select);
    // Exchanges the neighbours at `atA` (index `a`) and `atB` (index `b`)
    // and announces what each position now holds.
    void exchange(BookmarkItem& group, ItemList::Position atA, long a, ItemList::Position atB, long b);
    // Positions of the sorted, distinct `indexes` in one walk over the children.
    static std::vector<ItemList::Position> positionsOf(BookmarkItem& group, const std::vector<long>& indexes);
    static void sortDistinct(std::vector<long>& positions);

    BookChanges& changes_;
};
