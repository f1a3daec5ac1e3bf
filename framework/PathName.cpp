#include "framework/PathName.h"

#include "platform/CodePage.h"

#include <windows.h>

#include <vector>

std::string PathName::FileName(const std::string& path)
{
    const std::wstring wide = CodePage::toWide(path);
    const size_t separator = wide.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return path;
    return CodePage::fromWide(wide.substr(separator + 1));
}

std::string PathName::FullPath(const std::string& path)
{
    if (path.empty()) return path;
    const std::wstring wide = CodePage::toWide(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    return CodePage::fromWide(std::wstring(buffer.data(), length));
}

bool PathName::Same(const std::string& first, const std::string& second)
{
    const std::wstring a = CodePage::toWide(first);
    const std::wstring b = CodePage::toWide(second);
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}
