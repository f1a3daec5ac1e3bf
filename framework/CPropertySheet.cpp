#include "framework/CPropertySheet.h"

#include "framework/ResourceText.h"
#include "platform/CodePage.h"

#include <commctrl.h>

INT_PTR CPropertySheet::DoModal(HWND owner)
{
    std::vector<PROPSHEETPAGEW> descriptions;
    for (CPropertyPage* page : pages_) descriptions.push_back(page->PageDescription());
    const std::wstring caption = CodePage::toWide(caption_);

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
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
