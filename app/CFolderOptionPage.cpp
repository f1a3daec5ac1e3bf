#include "app/CFolderOptionPage.h"

#include "framework/UiServices.h"
#include "res/resource.h"

#include <vector>

CFolderOptionPage::CFolderOptionPage() : CPropertyPage(IDD_OPTION_FOLDER) {}

bool CFolderOptionPage::OnInitDialog()
{
    const bool result = CPropertyPage::OnInitDialog();
    showPath(firstFile);
    enablePath(firstOpen == 1);
    return result;
}

// The path is not exchanged here: the edit holds it only while it is enabled.
void CFolderOptionPage::DoDataExchange(CDataExchange& dx)
{
    dx.Radio(IDC_OPTION_NEW_BOOK, firstOpen);
}

bool CFolderOptionPage::OnCommand(UINT id, UINT code, HWND control)
{
    if (code != BN_CLICKED) return CPropertyPage::OnCommand(id, code, control);
    switch (id) {
    case IDC_OPTION_EXISTING_BOOK:
        onExistingBookClicked();
        return true;
    case IDC_OPTION_NEW_BOOK:
    case IDC_OPTION_LAST_BOOK:
        onOtherModeClicked();
        return true;
    case IDC_OPTION_FIRST_FILE_BROWSE:
        onBrowse();
        return true;
    default:
        return CPropertyPage::OnCommand(id, code, control);
    }
}

void CFolderOptionPage::OnKillActive()
{
    rememberPath();
    CPropertyPage::OnKillActive();
}

void CFolderOptionPage::onExistingBookClicked()
{
    showPath(firstFile);
    enablePath(true);
}

void CFolderOptionPage::onOtherModeClicked()
{
    if (!IsItemEnabled(IDC_OPTION_FIRST_FILE)) return;
    rememberPath();
    showPath(std::string());
    enablePath(false);
}

void CFolderOptionPage::onBrowse()
{
    const std::string chosen = UiServices::ChooseFileToOpen(
        GetHwnd(), "rvl", "ブックマークファイル (*.rvl)|*.rvl|全てのファイル (*.*)|*.*||");
    if (!chosen.empty()) showPath(chosen);
}

void CFolderOptionPage::enablePath(bool enable)
{
    EnableItem(IDC_OPTION_FIRST_FILE, enable);
    EnableItem(IDC_OPTION_FIRST_FILE_BROWSE, enable);
}

void CFolderOptionPage::showPath(std::string path)
{
    CDataExchange(GetHwnd(), false).Text(IDC_OPTION_FIRST_FILE, path);
}

void CFolderOptionPage::rememberPath()
{
    if (!IsItemEnabled(IDC_OPTION_FIRST_FILE)) return;
    CDataExchange(GetHwnd(), true).Text(IDC_OPTION_FIRST_FILE, firstFile);
}
