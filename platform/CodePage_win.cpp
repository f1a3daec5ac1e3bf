#include "platform/CodePage.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace {

int checkedLength(std::size_t size)
{
    if (size > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long for conversion");
    return static_cast<int>(size);
}

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// WideCharToMultiByte writes one "?" per UTF-16 unit; a surrogate pair is one
// character and should cost one "?" like everywhere else (932 has no such
// characters, so nothing is lost).
std::wstring withPairsAsOneCharacter(const std::wstring& wide)
{
    std::wstring out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (isHighSurrogate(wide[i]) && i + 1 < wide.size() && isLowSurrogate(wide[i + 1])) {
            out += L'\xFFFD';
            ++i;
        } else {
            out += wide[i];
        }
    }
    return out;
}

std::string narrowed(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int length = checkedLength(wide.size());
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(CodePage::Japanese, flags, wide.data(), length,
                                         nullptr, 0, "?", nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CodePage::Japanese, flags, wide.data(), length,
                        out.data(), size, "?", nullptr);
    return out;
}

}  // namespace

std::wstring CodePage::toWide(const std::string& text932)
{
    if (text932.empty())
        return {};
    const int length = checkedLength(text932.size());
    const int size = MultiByteToWideChar(Japanese, 0, text932.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(Japanese, 0, text932.data(), length, out.data(), size);
    return out;
}

std::string CodePage::fromWide(const std::wstring& wide)
{
    const bool hasPair = std::any_of(wide.begin(), wide.end(), isHighSurrogate);
    return narrowed(hasPair ? withPairsAsOneCharacter(wide) : wide);
}
