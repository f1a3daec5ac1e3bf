#include "import/IEFavoritesImporter.h"

#include "app/FolderBrowser.h"
#include "app/ShellFolders.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"
#include "platform/PrivateProfileFile.h"
#include "views/InternetShortcut.h"

#include <shlobj.h>

namespace {

// The shell's shortcuts keep their URL in a buffer of MAX_PATH characters.
const size_t LongestUrl = MAX_PATH - 1;

std::string firstCharacters(const std::string& text, size_t count)
{
    size_t end = 0;
    for (; count > 0 && end < text.size(); --count) end += CodePage::charLength(text, end);
    return text.substr(0, end);
}

}  // namespace

std::string IEFavoritesImporter::GetName() const
{
    return "Internet Explorerのブックマークよりインポート";
}

int IEFavoritesImporter::IsAvailable() const
{
    std::string favourites;
    return GetSpecialFolderPath(nullptr, CSIDL_FAVORITES, favourites) ? 1 : 0;
}

int IEFavoritesImporter::Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls)
{
    std::string favourites;
    if (!GetSpecialFolderPath(owner, CSIDL_FAVORITES, favourites)) return 0;
    std::string folder;
    if (FolderBrowser::Browse(owner, "Internet Explorerのブックマークのフォルダ", favourites, folder) !=
        FolderBrowser::Chosen)
        return 0;
    readFolder(owner, folder, titles, urls);
    return 1;
}

void IEFavoritesImporter::readFolder(HWND owner, const std::string& folder, std::vector<std::string>& titles,
                                     std::vector<std::string>& urls)
{
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = FindFirstFileW(CodePage::toWide(PathJoin::join(folder, "*", "URL")).c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        // The pattern also matches folders, and through their short names
        // files such as "x.urlx".
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const std::string name = CodePage::fromWide(entry.cFileName);
        if (InternetShortcut::hasUrlExtension(name)) ReadUrlFile(owner, PathJoin::join(folder, name), titles, urls);
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
}

int IEFavoritesImporter::ReadUrlFile(HWND, const std::string& path, std::vector<std::string>& titles,
                                     std::vector<std::string>& urls)
{
    const std::string name = path.substr(PathJoin::folderOf(path).size());
    const std::string url =
        firstCharacters(PrivateProfileFile(path).textOf("InternetShortcut", "URL", ""), LongestUrl);
    if (url.empty()) return 0;
    titles.push_back(InternetShortcut::titleFromFileName(name, false));
    urls.push_back(url);
    return 1;
}
