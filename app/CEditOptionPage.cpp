#include "app/CEditOptionPage.h"

#include "res/resource.h"

CEditOptionPage::CEditOptionPage() : CPropertyPage(IDD_OPTION_EDIT) {}

bool CEditOptionPage::OnInitDialog()
{
    const bool result = CPropertyPage::OnInitDialog();
    followSameItemType();
    return result;
}

// The second box is not exchanged here: it holds the value only while enabled.
void CEditOptionPage::DoDataExchange(CDataExchange& dx)
{
    dx.Check(IDC_OPTION_SAME_ITEM_TYPE, sameItemType);
    dx.Radio(IDC_OPTION_ADD_AT_HEAD, addPosition);
}

bool CEditOptionPage::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_OPTION_SAME_ITEM_TYPE && code == BN_CLICKED) {
        followSameItemType();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CEditOptionPage::OnKillActive()
{
    rememberSameUrlGroup();
    CPropertyPage::OnKillActive();
}

void CEditOptionPage::followSameItemType()
{
    const bool grouping = IsItemChecked(IDC_OPTION_SAME_ITEM_TYPE);
    const bool offered = IsItemEnabled(IDC_OPTION_SAME_URL_GROUP);
    if (grouping == offered) return;
    if (grouping) {
        CheckDlgButton(GetHwnd(), IDC_OPTION_SAME_URL_GROUP, sameUrlGroup != 0 ? BST_CHECKED : BST_UNCHECKED);
    } else {
        rememberSameUrlGroup();
        CheckDlgButton(GetHwnd(), IDC_OPTION_SAME_URL_GROUP, BST_UNCHECKED);
    }
    EnableItem(IDC_OPTION_SAME_URL_GROUP, grouping);
}

void CEditOptionPage::rememberSameUrlGroup()
{
    if (!IsItemEnabled(IDC_OPTION_SAME_URL_GROUP)) return;
    CDataExchange(GetHwnd(), true).Check(IDC_OPTION_SAME_URL_GROUP, sameUrlGroup);
}
