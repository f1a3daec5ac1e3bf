#include "tools/rvltool/TemporaryFolder.h"

#include "platform/CodePage.h"

#include <windows.h>

TemporaryFolder::TemporaryFolder()
{
    wchar_t base[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, base) == 0) return;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring candidate = base + std::wstring(L"rvltool-") + std::to_wstring(GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = CodePage::fromWide(candidate);
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder()
{
    if (path_.empty()) return;
    const std::wstring folder = CodePage::toWide(path_) + L"\\";
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) DeleteFileW((folder + entry.cFileName).c_str());
        } while (FindNextFileW(listing, &entry));
        FindClose(listing);
    }
    RemoveDirectoryW(folder.c_str());
}
