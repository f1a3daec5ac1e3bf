#pragma once
// A book written out as a bookmark file in the Netscape format (see
// NetscapeBookmarkWriter), by the window's export command and rvltool's.

#include "model/BookmarkItem.h"

#include <string>

class BookExport {
public:
    // Writes the items below `root`, titled `name`, to `path`; the previous
    // file stays whole unless the new one got there completely.
    static bool write(const BookmarkItem& root, const std::string& name, const std::string& path);
};
