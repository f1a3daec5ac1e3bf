#include "platform/JapaneseTitleCollation.h"

#include "platform/CodePage.h"

#include <windows.h>

namespace {

const LCID Japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
constexpr DWORD KeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE;

int mapInto(const std::wstring& wide, std::string& key)
{
    // LCMAP_SORTKEY counts in bytes, whatever the buffer's declared type.
    return LCMapStringW(Japanese, KeyFlags, wide.data(), static_cast<int>(wide.size()),
                        reinterpret_cast<wchar_t*>(&key[0]), static_cast<int>(key.size()));
}

}  // namespace

std::string JapaneseTitleCollation::sortKey(const std::string& title) const
{
    const std::wstring wide = CodePage::toWide(title);
    // Most keys fit a buffer of a few bytes per character: one call instead of two.
    std::string key(wide.size() * 8 + 16, '\0');
    int length = mapInto(wide, key);
    if (length == 0) {
        key.resize(static_cast<size_t>(LCMapStringW(Japanese, KeyFlags, wide.data(), static_cast<int>(wide.size()),
                                                    nullptr, 0)));
        length = key.empty() ? 0 : mapInto(wide, key);
    }
    key.resize(static_cast<size_t>(length));
    return key;
}
