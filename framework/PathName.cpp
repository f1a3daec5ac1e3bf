#include "framework/PathName.h"

#include "platform/CodePage.h"

#include <windows.h>

std::string PathName::FileName(const std::string& path)
{
    const std::wstring wide = CodePage::toWide(path);
    const size_t separator = wide.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return path;
    return CodePage::fromWide(wide.substr(separator + 1));
}

bool PathName::Same(const std::string& first, const std::string& second)
{
    const std::wstring a = CodePage::toWide(first);
    const std::wstring b = CodePage::toWide(second);
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}
