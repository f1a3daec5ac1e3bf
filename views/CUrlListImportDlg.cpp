#include "views/CUrlListImportDlg.h"

#include "framework/ReportList.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace {

const int TitleColumnWidth = 200;
// State image 2 of a list with check boxes is the checked box.
const UINT CheckedState = INDEXTOSTATEIMAGEMASK(2);

}  // namespace

CUrlListImportDlg::CUrlListImportDlg() : CDialogBase(IDD_URL_LIST_IMPORT) {}

HWND CUrlListImportDlg::list() const
{
    return GetItem(IDC_URL_LIST);
}

size_t CUrlListImportDlg::pairCount() const
{
    return titles != nullptr && urls != nullptr ? std::min(titles->size(), urls->size()) : 0;
}

bool CUrlListImportDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    addColumns();
    if (titles == nullptr || urls == nullptr) return true;
    for (size_t row = 0; row < pairCount(); ++row) addRow(static_cast<int>(row));
    SendMessageW(list(), LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE);
    return true;
}

void CUrlListImportDlg::addColumns() const
{
    SendMessageW(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    ReportList::insertColumn(list(), 0, L"タイトル", TitleColumnWidth);
    ReportList::insertColumn(list(), 1, L"URL", TitleColumnWidth);
}

void CUrlListImportDlg::addRow(int row) const
{
    ReportList::setText(list(), row, 0, (*titles)[static_cast<size_t>(row)]);
    ReportList::setText(list(), row, 1, (*urls)[static_cast<size_t>(row)]);
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = CheckedState;
    SendMessageW(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool CUrlListImportDlg::isRowChecked(int row) const
{
    const LRESULT state = SendMessageW(list(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return static_cast<UINT>(state) == CheckedState;
}

void CUrlListImportDlg::OnOK()
{
    // From the back, so that the rows still to look at keep their indexes.
    for (size_t n = pairCount(); n-- > 0;) {
        if (isRowChecked(static_cast<int>(n))) continue;
        titles->erase(titles->begin() + static_cast<std::ptrdiff_t>(n));
        urls->erase(urls->begin() + static_cast<std::ptrdiff_t>(n));
    }
    EndDialog(IDOK);
}
