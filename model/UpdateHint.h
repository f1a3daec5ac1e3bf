#pragma once
// What a view update announces: the kind travels as the numeric hint, the
// details in an UpdateHint sent along as the hint object.

#include "framework/CObject.h"

#include <vector>

class BookmarkItem;

enum UpdateHintKind : long {
    HintReset = -1,         // the tree is being replaced; drop everything shown
    HintOpenGroup = 1,      // show `group`; with `select`, its children `items` selected
    HintItemsAdded = 2,     // `items` now stand in `group` before `before` (null: at the end)
    HintItemChanged = 3,    // the fields of `items` (one item) in `group` changed
    HintItemsRemoved = 4,   // `items` are about to leave `group`
    HintItemsSwapped = 5,   // `items` now stand at `positionA` and `positionB` of `group`
    HintChildrenReordered = 6,  // the children of `group` stand in a new order
};

// Views hold plain pointers into the tree, so the hint does too: it lives
// only for the update it is sent with.
class UpdateHint : public CObject {
public:
    BookmarkItem* group = nullptr;
    BookmarkItem* before = nullptr;
    std::vector<BookmarkItem*> items;
    // A negative position: find the row by its item instead.
    long positionA = -1;
    long positionB = -1;
    bool select = false;
};
