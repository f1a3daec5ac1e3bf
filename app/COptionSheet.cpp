#include "app/COptionSheet.h"

#include "app/AppOptions.h"
#include "framework/CApplication.h"
#include "framework/CFrameWindow.h"
#include "framework/CPropertySheet.h"
#include "res/resource.h"

namespace {

// The frame follows changed options (tray icon) when told so.
void announceToMainWindow()
{
    const CApplication* app = CApplication::Instance();
    const CFrameWindow* frame = app != nullptr ? app->GetMainWindow() : nullptr;
    if (frame != nullptr && frame->GetHwnd() != nullptr)
        SendMessageW(frame->GetHwnd(), WM_COMMAND, ID_OPTIONS_UPDATED, 0);
}

}  // namespace

bool COptionSheet::run(AppOptions& options, HWND owner)
{
    copyIn(options);
    if (showSheet(owner) != IDOK) return false;
    copyOut(options);
    options.SaveOptions();
    announceToMainWindow();
    return true;
}

INT_PTR COptionSheet::showSheet(HWND owner)
{
    CPropertySheet sheet("オプション");
    CPropertyPage* const pages[] = {&system_, &folder_, &html_, &dropWindow_, &edit_};
    for (CPropertyPage* page : pages) sheet.AddPage(*page);
    return sheet.DoModal(owner);
}

void COptionSheet::copyIn(const AppOptions& options)
{
    const WindowInfo& window = options.windowInfo;
    system_.restore = window.Restore;
    system_.taskTray = window.TaskTray;
    system_.minimumIcon = window.MinimumIcon;
    system_.minimizedStart = window.MinimizedStart;
    folder_.firstOpen = options.FirstOpen;
    folder_.firstFile = options.FirstFile;
    html_.outputFile = options.OutputFile;
    html_.openBrowser = options.OpenBrowser;
    dropWindow_.firstMode = options.FirstMode;
    dropWindow_.openPosition = options.OpenPosition;
    edit_.addPosition = options.AddPosition;
    edit_.sameItemType = options.SameItemType;
    edit_.sameUrlGroup = options.SameUrlGroup;
}

void COptionSheet::copyOut(AppOptions& options) const
{
    WindowInfo& window = options.windowInfo;
    window.Restore = system_.restore;
    window.TaskTray = system_.taskTray;
    window.MinimumIcon = system_.minimumIcon;
    window.MinimizedStart = system_.minimizedStart;
    options.FirstOpen = folder_.firstOpen;
    options.FirstFile = folder_.firstFile;
    options.OutputFile = html_.outputFile;
    options.OpenBrowser = html_.openBrowser;
    options.FirstMode = dropWindow_.firstMode;
    options.OpenPosition = dropWindow_.openPosition;
    options.AddPosition = edit_.addPosition;
    options.SameItemType = edit_.sameItemType;
    options.SameUrlGroup = edit_.sameUrlGroup;
}
