#pragma once
// How deep a book may nest its items: every saved book must open again.
//
// The DOM reader refuses a document nested deeper than kDomElementDepth
// elements (MSXML under Wine, measured; MSXML 6 on Windows is told the same
// limit). A book spends one level on its document element, two on each item
// level (Item, ItemList) and one on the fields of its deepest item.

#include "model/BookmarkItem.h"

#include <vector>

constexpr int kDomElementDepth = 257;
// The root is level 1 and a top-level group level 2.
constexpr int kMaxItemDepth = (kDomElementDepth - 1) / 2;

// The level `item` stands at: 1 for an item without a parent.
int itemLevel(const BookmarkItem& item);
// The levels `item` and its subtree span: 1 for an item without children.
int subtreeLevels(const BookmarkItem& item);
// The levels the deepest of `items` spans; 0 for none.
int subtreeLevels(const std::vector<ItemRef>& items);
// Whether items spanning `levels` levels may become children of `group`.
bool fitsBelow(const BookmarkItem& group, int levels);
