#include "app/LegacyIniOptions.h"

#include "app/AppOptions.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <windows.h>

#include <vector>

namespace {

const char* const FolderSection = "FOLDER OPTION";
const char* const HtmlSection = "HTML OPTION";
const char* const DropWindowSection = "DROPWINDOW OPTION";
const char* const AddinSection = "ADDIN INFO";

} // namespace

LegacyIniOptions::LegacyIniOptions(const std::string& iniPath) : ini_(iniPath) {}

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
    return ini_.exists();
}

void LegacyIniOptions::readInto(AppOptions& options) const
{
    options.FirstOpen = ini_.intOf(FolderSection, "FIRST OPEN", 0);
    options.FirstFile = ini_.textOf(FolderSection, "FIRST FILE", options.defaultBook());
    options.LastFile = ini_.textOf(FolderSection, "LAST FILE", options.defaultBook());

    options.OutputFile = ini_.textOf(HtmlSection, "OUTPUT FILE", options.defaultPage());
    options.OpenBrowser = ini_.intOf(HtmlSection, "OPEN BROWSER", 0);

    options.UsePosition = ini_.intOf(DropWindowSection, "USE POSITION", 0);
    if (options.UsePosition != 0) {
        options.WindowPositionX = ini_.intOf(DropWindowSection, "WINDOW POSITION X", 0);
        options.WindowPositionY = ini_.intOf(DropWindowSection, "WINDOW POSITION Y", 0);
    }
    options.FirstMode = ini_.intOf(DropWindowSection, "FIRST MODE", 2);
    options.OpenPosition = ini_.intOf(DropWindowSection, "OPEN POSITION", 1);
    options.PrevOpen = ini_.intOf(DropWindowSection, "PREV OPEN", 0);

    options.SelectedAddin = ini_.textOf(AddinSection, "SELECTED ADDIN", std::string());
}
