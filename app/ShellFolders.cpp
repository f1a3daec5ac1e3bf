#include "app/ShellFolders.h"

#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <shlobj.h>

namespace {

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(CodePage::toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// "C:\a\b" gives "C:\a"; a trailing backslash belongs to the folder itself.
std::string withoutTrailingBackslash(const std::string& path)
{
    return PathJoin::endsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

}  // namespace

bool GetSpecialFolderPath(HWND owner, int csidl, std::string& path)
{
    wchar_t location[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(owner, location, csidl, FALSE)) return false;
    path = CodePage::fromWide(location);
    return true;
}

bool CreateDirectoryPath(const std::string& path)
{
    if (path.empty()) return false;
    if (isDirectory(path)) return true;
    const std::string folder = withoutTrailingBackslash(path);
    const std::string parent = withoutTrailingBackslash(PathJoin::folderOf(folder));
    // A root that is not there (a missing drive or share) ends the climb.
    if (parent.empty() || parent.size() >= folder.size()) return false;
    if (!CreateDirectoryPath(parent)) return false;
    return CreateDirectoryW(CodePage::toWide(folder).c_str(), nullptr) != FALSE || isDirectory(folder);
}
