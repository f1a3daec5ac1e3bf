#include "app/CSystemOptionPage.h"

#include "res/resource.h"

CSystemOptionPage::CSystemOptionPage() : CPropertyPage(IDD_OPTION_SYSTEM) {}

bool CSystemOptionPage::OnInitDialog()
{
    const bool result = CPropertyPage::OnInitDialog();
    enableMinimumIcon();
    return result;
}

void CSystemOptionPage::DoDataExchange(CDataExchange& dx)
{
    dx.Check(IDC_OPTION_RESTORE, restore);
    dx.Check(IDC_OPTION_TASK_TRAY, taskTray);
    dx.Check(IDC_OPTION_MINIMUM_ICON, minimumIcon);
    dx.Check(IDC_OPTION_MINIMIZED_START, minimizedStart);
}

bool CSystemOptionPage::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_OPTION_TASK_TRAY && code == BN_CLICKED) {
        onTaskTrayClicked();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CSystemOptionPage::onTaskTrayClicked()
{
    UpdateData(true);
    enableMinimumIcon();
}

void CSystemOptionPage::enableMinimumIcon()
{
    EnableItem(IDC_OPTION_MINIMUM_ICON, taskTray == 1);
}
