#include "app/CBackupRestoreDlg.h"

#include "framework/ReportList.h"
#include "res/resource.h"

#include <commctrl.h>

#include <utility>

namespace {

// "12,345": digits in groups of three.
std::string groupedDigits(uint64_t number)
{
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

std::string sizeText(uint64_t bytes)
{
    return groupedDigits((bytes + 1023) / 1024) + " KB";
}

std::string itemCountText(long items)
{
    return items < 0 ? "-" : groupedDigits(static_cast<uint64_t>(items));
}

}  // namespace

CBackupRestoreDlg::CBackupRestoreDlg(std::vector<BackupEntry> backups)
    : CDialogBase(IDD_BACKUP_RESTORE), backups_(std::move(backups))
{
}

HWND CBackupRestoreDlg::list() const
{
    return GetItem(IDC_BACKUP_LIST);
}

bool CBackupRestoreDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    SendMessageW(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ReportList::insertColumn(list(), 0, L"ブック", 170);
    ReportList::insertColumn(list(), 1, L"日時", 150);
    ReportList::insertColumn(list(), 2, L"サイズ", 90, LVCFMT_RIGHT);
    ReportList::insertColumn(list(), 3, L"アイテム数", 90, LVCFMT_RIGHT);
    for (size_t row = 0; row < backups_.size(); ++row) addRow(static_cast<int>(row), backups_[row]);
    ListView_SetItemState(list(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnableItem(IDOK, !backups_.empty());
    return true;
}

void CBackupRestoreDlg::addRow(int row, const BackupEntry& backup) const
{
    ReportList::setText(list(), row, 0, backup.book);
    ReportList::setText(list(), row, 1, backup.time);
    ReportList::setText(list(), row, 2, sizeText(backup.size));
    ReportList::setText(list(), row, 3, itemCountText(backup.items));
}

bool CBackupRestoreDlg::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom == IDC_BACKUP_LIST && header.code == NM_DBLCLK) {
        OnOK();
        result = 0;
        return true;
    }
    return CDialogBase::OnNotify(header, result);
}

void CBackupRestoreDlg::OnOK()
{
    const int row = ListView_GetNextItem(list(), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= backups_.size()) return;
    chosenPath = backups_[static_cast<size_t>(row)].path;
    EndDialog(IDOK);
}
