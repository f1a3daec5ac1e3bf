#pragma once
// The URLs a book holds more than once, compared by UrlKey. Links and groups
// with a link count; items without a URL do not.

#include "model/BookmarkItem.h"

#include <string>
#include <vector>

struct DuplicateUrl {
    std::string key;                   // UrlKey of the URL
    std::vector<BookmarkItem*> items;  // two or more, in book order
};

class DuplicateFinder {
public:
    // Each URL held by more than one item below `root`, in the order of
    // their first items.
    static std::vector<DuplicateUrl> find(const BookmarkItem& root);
};
