#include "model/BookExport.h"

#include "import/ImportPaths.h"
#include "model/NetscapeBookmarkWriter.h"
#include "platform/FileSystem.h"
#include "platform/PathJoin.h"

std::string BookExport::nameOf(const std::string& bookPath)
{
    const std::string name = bookPath.substr(PathJoin::folderOf(bookPath).size());
    return name.substr(0, name.size() - ImportPaths::extensionOf(name).size());
}

bool BookExport::write(const BookmarkItem& root, const std::string& name, const std::string& path)
{
    return FileSystem::writeReplacing(path, NetscapeBookmarkWriter::write(root, name));
}
