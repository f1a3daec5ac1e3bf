#pragma once
// The item stream of a book as the program hands it to an add-in's
// VLMakeHtml: filtered by the marks and HTML-escaped.

#include "framework/MemoryFile.h"
#include "model/ItemRecord.h"

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> hostStream(BookmarkItem& root, const MarkFilter& filter = MarkFilter())
{
    root.applyFilter(filter);
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemStream(archive, root, Filtered | HtmlEscape);
    archive.close();
    return file.detach();
}
