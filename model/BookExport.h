#pragma once
// A book written out as a bookmark file in the Netscape format (see
// NetscapeBookmarkWriter), by the window's export command and rvltool's.

#include "model/BookmarkItem.h"

#include <string>

class BookExport {
public:
    // What the export of the book at `bookPath` (code page 932; a bare file
    // name or a document title will do) is called: its file name without the
    // extension. The file's title, and the name the save dialog proposes.
    static std::string nameOf(const std::string& bookPath);
    // Writes the items below `root`, titled `name`, to `path`; the previous
    // file stays whole unless the new one got there completely.
    static bool write(const BookmarkItem& root, const std::string& name, const std::string& path);
};
