#include "platform/PrivateProfileFile.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <windows.h>

#include <vector>

namespace {

// Longer values are cut here rather than grown without end.
const DWORD LongestValue = 32 * 1024;

}  // namespace

// The profile functions look a bare or relative name up in the Windows
// folder, not in the current one: every path reaches them absolute.
PrivateProfileFile::PrivateProfileFile(const std::string& path)
    : path_(FileSystem::fullPath(path)), widePath_(CodePage::toWide(path_))
{
}

bool PrivateProfileFile::exists() const
{
    return FileSystem::exists(path_);
}

int PrivateProfileFile::intOf(const std::string& section, const std::string& key, int fallback) const
{
    // Negative numbers come back as their unsigned twins.
    return static_cast<int>(GetPrivateProfileIntW(CodePage::toWide(section).c_str(), CodePage::toWide(key).c_str(),
                                                  fallback, widePath_.c_str()));
}

std::string PrivateProfileFile::textOf(const std::string& section, const std::string& key,
                                       const std::string& fallback) const
{
    const std::wstring wideSection = CodePage::toWide(section);
    const std::wstring wideKey = CodePage::toWide(key);
    const std::wstring wideFallback = CodePage::toWide(fallback);
    std::vector<wchar_t> value(MAX_PATH);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideFallback.c_str(),
                                                      value.data(), static_cast<DWORD>(value.size()),
                                                      widePath_.c_str());
        // A value that filled the buffer may have been cut: try a larger one.
        if (length + 1 < value.size() || value.size() >= LongestValue)
            return CodePage::fromWide(std::wstring(value.data(), length));
        value.resize(value.size() * 2);
    }
}

void PrivateProfileFile::deleteSection(const std::string& section)
{
    WritePrivateProfileStringW(CodePage::toWide(section).c_str(), nullptr, nullptr, widePath_.c_str());
}
