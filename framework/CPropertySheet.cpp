#include "framework/CPropertySheet.h"

#include "framework/ResourceText.h"
#include "platform/CodePage.h"

#include <commctrl.h>

namespace {

// Like the program's dialogs (DS_CENTER), the sheet opens centred over its
// owner, or on the screen without one.
int CALLBACK centreWhenReady(HWND sheet, UINT message, LPARAM)
{
    if (message != PSCB_INITIALIZED) return 0;
    RECT area{};
    const HWND owner = GetWindow(sheet, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT own{};
    GetWindowRect(sheet, &own);
    const LONG x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const LONG y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(sheet, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace

INT_PTR CPropertySheet::DoModal(HWND owner)
{
    std::vector<PROPSHEETPAGEW> descriptions;
    for (CPropertyPage* page : pages_) descriptions.push_back(page->PageDescription());
    const std::wstring caption = CodePage::toWide(caption_);

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.pfnCallback = centreWhenReady;
    header.hwndParent = owner;
    header.hInstance = ResourceText::Instance();
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = 0;
    header.ppsp = descriptions.data();
    // A modal sheet answers a positive value after OK and 0 after Cancel.
    const INT_PTR result = PropertySheetW(&header);
    if (result < 0) return -1;
    return result > 0 ? IDOK : IDCANCEL;
}
