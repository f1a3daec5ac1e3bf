#pragma once
// How imported links join a book: each (title, URL) pair becomes a new Url
// item, and without an open group they go to the end of the top group.
// The import command of the main window and rvltool's import share it.

#include "model/BookmarkItem.h"

#include <string>
#include <vector>

class LinkImport {
public:
    // The first top-level item that can hold children; null when there is
    // none (a link at the top cannot take them, and the user may have moved
    // one there).
    static BookmarkItem* topGroup(const BookmarkItem& root);
    // One Url item per pair, in order: empty message, no marks, dated `date`.
    static std::vector<ItemRef> urlItems(const std::vector<std::string>& titles, const std::vector<std::string>& urls,
                                         const std::string& date);
};
