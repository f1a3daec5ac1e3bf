#include "addin/AddinSettingsDlg.h"

#include "addin/AddinSelectionChange.h"
#include "res/resource.h"

AddinSettingsDlg::AddinSettingsDlg(const AddinList& addins, AppOptions& options)
    : CDialogBase(IDD_ADDIN_SETTINGS), list_(addins), options_(options)
{
}

bool AddinSettingsDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    list_.fillAddinList(GetItem(IDC_ADDIN_LIST), false);
    list_.selectCurrentAddin(options_);
    return true;
}

bool AddinSettingsDlg::OnNotify(NMHDR& header, LRESULT& result)
{
    if (!isAddinSelectionChange(header, IDC_ADDIN_LIST)) return false;
    const AddinModule* addin = list_.selectedAddin();
    EnableWindow(GetItem(IDOK), addin != nullptr && addin->hasSettings());
    result = 0;
    return true;
}

void AddinSettingsDlg::OnOK()
{
    // "設定" opens the add-in's settings; the dialog stays for the next one.
    list_.storeSelectedAddin(options_);
    if (const AddinModule* addin = list_.selectedAddin()) addin->openSettings();
}
