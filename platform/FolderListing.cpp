#include "platform/FolderListing.h"

#include "platform/CodePage.h"

#include <windows.h>

std::vector<ListedFile> listFiles(const std::string& pattern)
{
    std::vector<ListedFile> files;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(CodePage::toWide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        files.push_back({CodePage::fromWide(found.cFileName), size});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}
