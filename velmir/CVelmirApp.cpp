#include "velmir/CVelmirApp.h"

#include "framework/FileException.h"
#include "framework/ReadOnlyMemoryFile.h"
#include "model/TodayText.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"
#include "platform/PrivateProfileFile.h"
#include "velmir/CSettingColorDlg.h"
#include "velmir/CSettingMessageDlg.h"
#include "velmir/HtmlPageWriter.h"
#include "velmir/PageOutputFile.h"
#include "velmir/SettingsSheetDlg.h"
#include "velmir/resource.h"

#include <commctrl.h>

#include <memory>
#include <vector>

namespace {

std::string modulePath(HINSTANCE module)
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return CodePage::fromWide(std::wstring(path.data(), length));
        path.resize(path.size() * 2);
    }
}

// The same folder and name with the extension "ini". The name follows the
// folder's last backslash, so its last dot cannot be a kanji's second byte.
std::string iniPathBeside(const std::string& module)
{
    const std::string folder = PathJoin::folderOf(module);
    std::string name = module.substr(folder.size());
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return PathJoin::join(folder, name, "ini");
}

}  // namespace

void CVelmirApp::attach(HINSTANCE module)
{
    module_ = module;
    legacyIniPath_ = iniPathBeside(modulePath(module));
}

void CVelmirApp::init(const std::string& settingsFolder)
{
    profiles_.settingsFolder = settingsFolder;
    PrivateProfileFile legacy(legacyIniPath_);
    profiles_.loadProfiles(&legacy);
}

bool CVelmirApp::makeHtml(const char* stream, uint32_t length, const std::string& path) const
{
    std::unique_ptr<PageOutputFile> page;
    try {
        page = std::make_unique<PageOutputFile>(path);
    } catch (const FileException&) {
        return false;
    }
    ReadOnlyMemoryFile input(stream, length);
    const bool written = HtmlPageWriter(input, *page, profiles_.currentProfile(), todayText()).write();
    try {
        page->close();
    } catch (const FileException&) {
        return false;
    }
    return written;
}

void CVelmirApp::openSettings(HWND owner)
{
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ColorProfile& profile = profiles_.currentProfile();
    CSettingColorDlg colorPage(profile);
    CSettingMessageDlg messagePage(profile);
    SettingsSheetDlg sheet(profiles_);
    sheet.AddPage(colorPage);
    sheet.AddPage(messagePage);
    sheet.DoModal(owner);
}

HICON CVelmirApp::icon() const
{
    return LoadIconW(module_, MAKEINTRESOURCEW(IDI_VELMIR));
}
