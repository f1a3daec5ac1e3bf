#include "app/CSettingFolderDlg.h"

#include "app/FolderBrowser.h"
#include "platform/PathJoin.h"
#include "res/resource.h"

CSettingFolderDlg::CSettingFolderDlg() : CDialogBase(IDD_SETTING_FOLDER) {}

bool CSettingFolderDlg::OnInitDialog()
{
    folder = PathJoin::join(baseFolder, subPath);
    return CDialogBase::OnInitDialog();
}

void CSettingFolderDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_SETTING_FOLDER_PATH, folder);
}

bool CSettingFolderDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_SETTING_FOLDER_BROWSE && code == BN_CLICKED) {
        onBrowse();
        return true;
    }
    return CDialogBase::OnCommand(id, code, control);
}

void CSettingFolderDlg::onBrowse()
{
    std::string chosen;
    if (FolderBrowser::Browse(GetHwnd(), "設定ファイルの保存先", baseFolder, chosen) != FolderBrowser::Chosen) return;
    baseFolder = chosen;
    folder = PathJoin::join(baseFolder, subPath);
    UpdateData(false);
}
