#include "import/ImportLocations.h"

#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <windows.h>

#include <cwchar>

bool ImportLocations::ReadRegistryText(const std::string& keyPath, const std::string& name, std::string& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, CodePage::toWide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    wchar_t text[MAX_PATH + 1] = {};
    DWORD bytes = MAX_PATH * sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LSTATUS status = RegQueryValueExW(key, CodePage::toWide(name).c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    // A stored value need not end in a NUL.
    value = CodePage::fromWide(std::wstring(text, wcsnlen(text, bytes / sizeof(wchar_t))));
    return true;
}

bool ImportLocations::IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(CodePage::toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int ImportLocations::FindSingleSubfolder(const std::string& folder, std::string& first)
{
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = FindFirstFileW(CodePage::toWide(PathJoin::join(folder, "*")).c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        const std::wstring name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || name == L"." || name == L"..") continue;
        if (count++ == 0) first = PathJoin::join(folder, CodePage::fromWide(name));
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
    return count;
}
