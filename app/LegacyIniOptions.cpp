#include "app/LegacyIniOptions.h"

#include "app/AppOptions.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/PathJoin.h"

#include <windows.h>

#include <vector>

namespace {

const wchar_t* const FolderSection = L"FOLDER OPTION";
const wchar_t* const HtmlSection = L"HTML OPTION";
const wchar_t* const DropWindowSection = L"DROPWINDOW OPTION";
const wchar_t* const AddinSection = L"ADDIN INFO";

// Longer values are cut here rather than grown without end.
const DWORD LongestValue = 32 * 1024;

} // namespace

LegacyIniOptions::LegacyIniOptions(const std::string& iniPath)
    : iniPath_(iniPath), wideIniPath_(CodePage::toWide(iniPath))
{
}

std::string LegacyIniOptions::besideProgram()
{
    std::vector<wchar_t> module(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length < module.size()) {
            const std::string program = CodePage::fromWide(std::wstring(module.data(), length));
            return PathJoin::join(PathJoin::folderOf(program), "Ravlo", "ini");
        }
        module.resize(module.size() * 2);
    }
}

bool LegacyIniOptions::exists() const
{
    return FileSystem::exists(iniPath_);
}

void LegacyIniOptions::readInto(AppOptions& options) const
{
    options.FirstOpen = intOf(FolderSection, L"FIRST OPEN", 0);
    options.FirstFile = textOf(FolderSection, L"FIRST FILE", options.defaultBook());
    options.LastFile = textOf(FolderSection, L"LAST FILE", options.defaultBook());

    options.OutputFile = textOf(HtmlSection, L"OUTPUT FILE", options.defaultPage());
    options.OpenBrowser = intOf(HtmlSection, L"OPEN BROWSER", 0);

    options.UsePosition = intOf(DropWindowSection, L"USE POSITION", 0);
    if (options.UsePosition != 0) {
        options.WindowPositionX = intOf(DropWindowSection, L"WINDOW POSITION X", 0);
        options.WindowPositionY = intOf(DropWindowSection, L"WINDOW POSITION Y", 0);
    }
    options.FirstMode = intOf(DropWindowSection, L"FIRST MODE", 2);
    options.OpenPosition = intOf(DropWindowSection, L"OPEN POSITION", 1);
    options.PrevOpen = intOf(DropWindowSection, L"PREV OPEN", 0);

    options.SelectedAddin = textOf(AddinSection, L"SELECTED ADDIN", std::string());
}

int LegacyIniOptions::intOf(const wchar_t* section, const wchar_t* key, int fallback) const
{
    // Negative numbers come back as their unsigned twins.
    return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, wideIniPath_.c_str()));
}

std::string LegacyIniOptions::textOf(const wchar_t* section, const wchar_t* key, const std::string& fallback) const
{
    const std::wstring wideFallback = CodePage::toWide(fallback);
    std::vector<wchar_t> value(MAX_PATH);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section, key, wideFallback.c_str(), value.data(),
                                                      static_cast<DWORD>(value.size()), wideIniPath_.c_str());
        // A value that filled the buffer may have been cut: try a larger one.
        if (length + 1 < value.size() || value.size() >= LongestValue)
            return CodePage::fromWide(std::wstring(value.data(), length));
        value.resize(value.size() * 2);
    }
}
