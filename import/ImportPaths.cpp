#include "import/ImportPaths.h"

#include "model/AsciiCase.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"

ImportPaths::FileKind ImportPaths::kindOf(const std::string& path)
{
    const std::string extension = extensionOf(path);
    if (AsciiCase::equalsIgnoringCase(extension, ".url")) return FileKind::InternetShortcut;
    if (AsciiCase::equalsIgnoringCase(extension, ".adr")) return FileKind::Hotlist;
    if (AsciiCase::equalsIgnoringCase(extension, ".html") || AsciiCase::equalsIgnoringCase(extension, ".htm"))
        return FileKind::HtmlBookmarks;
    return FileKind::Other;
}

std::string ImportPaths::extensionOf(const std::string& path)
{
    size_t dot = std::string::npos;
    for (size_t i = 0; i < path.size(); i += CodePage::charLength(path, i)) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':')
            dot = std::string::npos;
        else if (c == '.')
            dot = i;
    }
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string ImportPaths::netscapeUsersFolder(const std::string& installDirectory)
{
    std::string folder = installDirectory;
    if (PathJoin::endsWithBackslash(folder)) folder.pop_back();
    return PathJoin::folderOf(folder) + "Users";
}
