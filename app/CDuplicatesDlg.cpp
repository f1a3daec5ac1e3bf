#include "app/CDuplicatesDlg.h"

#include "framework/CApplication.h"
#include "framework/FileErrorMessage.h"
#include "framework/ReportList.h"
#include "framework/ResourceText.h"
#include "framework/UiServices.h"
#include "model/BookEditor.h"
#include "model/GroupPath.h"
#include "platform/CodePage.h"
#include "res/resource.h"

#include <string>
#include <utility>

namespace {

enum Column { TitleColumn, UrlColumn, GroupColumn, DateColumn };

// State images 1 and 2 of a list with check boxes: the empty and the checked box.
UINT checkBoxImage(bool checked)
{
    return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

std::string columnText(const BookmarkItem& item, int column)
{
    switch (column) {
    case TitleColumn:
        return item.title;
    case UrlColumn:
        return item.url;
    case GroupColumn:
        return GroupPath::of(item);
    case DateColumn:
        return item.date;
    default:
        return std::string();
    }
}

}  // namespace

void CDuplicatesDlg::run(const BookmarkItem& root, BookEditor& editor, HWND owner)
{
    const std::vector<DuplicateUrl> duplicates = DuplicateFinder::find(root);
    if (duplicates.empty()) {
        CApplication::ShowMessage(ResourceText::Load932(IDS_NO_DUPLICATES), MB_OK | MB_ICONINFORMATION);
        return;
    }
    CDuplicatesDlg dialog(duplicates);
    if (dialog.DoModal(owner) == IDOK) editor.removeFromTheirGroups(dialog.chosen);
}

CDuplicatesDlg::CDuplicatesDlg(const std::vector<DuplicateUrl>& duplicates) : CDialogBase(IDD_DUPLICATES)
{
    for (const DuplicateUrl& url : duplicates) {
        for (size_t copy = 0; copy < url.items.size(); ++copy) rows_.push_back({url.items[copy], copy > 0});
        checkedCount_ += url.items.size() - 1;
    }
}

HWND CDuplicatesDlg::list() const
{
    return GetItem(IDC_DUPLICATE_LIST);
}

bool CDuplicatesDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    addColumns();
    // The list asks for each row's check box as for its texts.
    SendMessageW(list(), LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    SendMessageW(list(), LVM_SETITEMCOUNT, rows_.size(), 0);
    ListView_SetItemState(list(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
    enableRemoval();
    return true;
}

void CDuplicatesDlg::addColumns() const
{
    const DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageW(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    ReportList::insertColumn(list(), TitleColumn, L"タイトル", 180);
    ReportList::insertColumn(list(), UrlColumn, L"URL", 200);
    ReportList::insertColumn(list(), GroupColumn, L"グループ", 210);
    ReportList::insertColumn(list(), DateColumn, L"日付", 90);
}

bool CDuplicatesDlg::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_DUPLICATE_LIST) return CDialogBase::OnNotify(header, result);
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOW:
        onGetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    case NM_CLICK:
    case NM_DBLCLK:  // the second click of a quick pair
        onClick(reinterpret_cast<const NMITEMACTIVATE&>(header));
        return true;
    case LVN_KEYDOWN:
        onKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header));
        return true;
    default:
        return false;
    }
}

void CDuplicatesDlg::onGetDispInfo(NMLVDISPINFOW& request) const
{
    LVITEMW& fields = request.item;
    if (fields.iItem < 0 || static_cast<size_t>(fields.iItem) >= rows_.size()) return;
    const Row& row = rows_[static_cast<size_t>(fields.iItem)];
    if ((fields.mask & LVIF_TEXT) != 0 && fields.pszText != nullptr && fields.cchTextMax > 0) {
        const std::wstring text = CodePage::toWide(columnText(*row.item, fields.iSubItem));
        lstrcpynW(fields.pszText, text.c_str(), fields.cchTextMax);
    }
    if ((fields.mask & LVIF_STATE) != 0) fields.state |= fields.stateMask & checkBoxImage(row.checked);
}

// An owner-data list leaves its check boxes to its owner: each click on one
// and the space bar turn them.
void CDuplicatesDlg::onClick(const NMITEMACTIVATE& click)
{
    LVHITTESTINFO hit{};
    hit.pt = click.ptAction;
    const int row = static_cast<int>(SendMessageW(list(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0 || (hit.flags & LVHT_ONITEMSTATEICON) == 0) return;
    check(row, !rows_[static_cast<size_t>(row)].checked);
    enableRemoval();
}

// The space bar gives every selected row the box the focused row did not have.
void CDuplicatesDlg::onKeyDown(const NMLVKEYDOWN& key)
{
    const int focused = ListView_GetNextItem(list(), -1, LVNI_FOCUSED);
    if (key.wVKey != VK_SPACE || focused < 0) return;
    const bool checked = !rows_[static_cast<size_t>(focused)].checked;
    check(focused, checked);
    for (int row = -1; (row = ListView_GetNextItem(list(), row, LVNI_SELECTED)) >= 0;) check(row, checked);
    enableRemoval();
}

void CDuplicatesDlg::check(int row, bool checked)
{
    Row& shown = rows_[static_cast<size_t>(row)];
    if (shown.checked == checked) return;
    shown.checked = checked;
    checkedCount_ = checked ? checkedCount_ + 1 : checkedCount_ - 1;
    ListView_RedrawItems(list(), row, row);
}

void CDuplicatesDlg::enableRemoval() const
{
    EnableItem(IDOK, checkedCount_ > 0);
}

std::vector<BookmarkItem*> CDuplicatesDlg::checkedItems() const
{
    std::vector<BookmarkItem*> items;
    for (const Row& row : rows_)
        if (row.checked) items.push_back(row.item);
    return items;
}

bool CDuplicatesDlg::confirmRemoval(size_t count) const
{
    const std::string question =
        FileErrorMessage::Substitute(ResourceText::Load932(IDS_REMOVE_DUPLICATES).c_str(), std::to_string(count));
    return UiServices::Current().ShowMessage(GetHwnd(), question, "削除の確認", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void CDuplicatesDlg::OnOK()
{
    std::vector<BookmarkItem*> items = checkedItems();
    if (items.empty() || !confirmRemoval(items.size())) return;
    chosen = std::move(items);
    EndDialog(IDOK);
}
