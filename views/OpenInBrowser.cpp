#include "views/OpenInBrowser.h"

#include "framework/CApplication.h"
#include "framework/CFrameWindow.h"
#include "framework/UiServices.h"
#include "platform/CodePage.h"

#include <windows.h>

namespace {

std::string currentDirectory()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? CodePage::fromWide(folder) : std::string();
}

}  // namespace

void OpenInBrowser(const std::string& url)
{
    if (url.empty()) return;
    const CApplication* app = CApplication::Instance();
    const HWND owner = app != nullptr && app->GetMainWindow() != nullptr ? app->GetMainWindow()->GetHwnd() : nullptr;
    UiServices::Current().OpenWithShell(owner, "open", url, currentDirectory());
}
