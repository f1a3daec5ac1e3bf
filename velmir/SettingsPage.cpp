#include "velmir/SettingsPage.h"

#include "framework/ResourceText.h"

HWND SettingsPage::Create(HWND parent)
{
    return CreateDialogParamW(ResourceText::Instance(), MAKEINTRESOURCEW(GetTemplateId()), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void SettingsPage::OnOK()
{
    forwardToSheet(IDOK);
}

void SettingsPage::OnCancel()
{
    forwardToSheet(IDCANCEL);
}

void SettingsPage::forwardToSheet(UINT id) const
{
    PostMessageW(GetAncestor(GetHwnd(), GA_ROOT), WM_COMMAND, id, 0);
}
