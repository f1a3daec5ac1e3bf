#include "model/BookExport.h"

#include "model/NetscapeBookmarkWriter.h"
#include "platform/FileSystem.h"

bool BookExport::write(const BookmarkItem& root, const std::string& name, const std::string& path)
{
    return FileSystem::writeReplacing(path, NetscapeBookmarkWriter::write(root, name));
}
