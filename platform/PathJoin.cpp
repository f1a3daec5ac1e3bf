#include "platform/PathJoin.h"

#include "platform/CodePage.h"

std::string PathJoin::join(const std::string& folder, const std::string& name, const std::string& extension)
{
    std::string path = folder;
    if (!endsWithBackslash(folder))
        path += '\\';
    path += name;
    if (!extension.empty())
        path += '.' + extension;
    return path;
}

std::string PathJoin::folderOf(const std::string& path)
{
    size_t folderEnd = 0;
    for (size_t i = 0; i < path.size(); i += CodePage::charLength(path, i)) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':')
            folderEnd = i + 1;
    }
    return path.substr(0, folderEnd);
}

std::string PathJoin::baseNameOf(const std::string& path)
{
    const std::string name = path.substr(folderOf(path).size());
    // A dot is never the second byte of a double-byte character.
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool PathJoin::endsWithBackslash(const std::string& path)
{
    size_t lastChar = std::string::npos;
    for (size_t i = 0; i < path.size(); i += CodePage::charLength(path, i))
        lastChar = i;
    return !path.empty() && lastChar == path.size() - 1 && path[lastChar] == '\\';
}
