#pragma once
// What an HTML add-in is given: the mark filter's pass over the whole book,
// then the item-record stream of the kept items (header and root record,
// Filtered and HtmlEscape). The HTML output command and rvltool both make it here.

#include "model/BookmarkItem.h"

#include <cstdint>
#include <vector>

class HtmlItemStream {
public:
    // Leaves the filter's marks on the items, as the filter pass does.
    static std::vector<uint8_t> make(BookmarkItem& root, const MarkFilter& filter = MarkFilter());
};
