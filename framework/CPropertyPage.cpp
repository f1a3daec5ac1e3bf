#include "framework/CPropertyPage.h"

#include "framework/ResourceText.h"

PROPSHEETPAGEW CPropertyPage::PageDescription()
{
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = ResourceText::Instance();
    page.pszTemplate = MAKEINTRESOURCEW(GetTemplateId());
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

// A page receives the sheet's copy of its description at WM_INITDIALOG;
// the object travels in that copy's lParam.
INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) lParam = reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam;
    return DialogProc(hwnd, message, wParam, lParam);
}

void CPropertyPage::OnKillActive()
{
    UpdateData(true);
}

bool CPropertyPage::OnNotify(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case PSN_KILLACTIVE:
        OnKillActive();
        result = FALSE;  // the page may always be left
        return true;
    case PSN_APPLY:
        result = PSNRET_NOERROR;
        return true;
    default:
        return CDialogBase::OnNotify(header, result);
    }
}
