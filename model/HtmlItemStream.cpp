#include "model/HtmlItemStream.h"

#include "framework/Archive.h"
#include "framework/MemoryFile.h"
#include "model/ItemRecord.h"

std::vector<uint8_t> HtmlItemStream::make(BookmarkItem& root, const MarkFilter& filter)
{
    root.applyFilter(filter);
    MemoryFile file;
    {
        Archive archive(file, Archive::Mode::Store);
        writeItemStream(archive, root, Filtered | HtmlEscape);
        archive.close();
    }
    return file.detach();
}
