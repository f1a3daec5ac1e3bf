#include "app/CFindDlg.h"

#include "app/CMainFrame.h"
#include "framework/CDataExchange.h"
#include "framework/ReportList.h"
#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/FindMatcher.h"
#include "model/GroupPath.h"
#include "model/UpdateHint.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "views/ViewControls.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace {

// Posted by a change to the book; the search runs once the updates are done.
constexpr UINT SearchAgain = WM_APP + 1;

struct Column {
    const wchar_t* header;
    int percent;  // of the list's width
};
const Column Columns[] = {{L"タイトル", 40}, {L"URL", 35}, {L"グループ", 25}};

constexpr UINT SelectionStates = LVIS_SELECTED | LVIS_FOCUSED;

// The dialog's top right corner this far inside the owner's.
constexpr int OwnerMargin = 24;

}  // namespace

CFindDlg::CFindDlg(CRavloDoc& document, CMainFrame& frame)
    : CDialogBase(IDD_FIND), document_(document), frame_(frame)
{
}

CFindDlg::~CFindDlg()
{
    close();
}

HWND CFindDlg::list() const
{
    return GetItem(IDC_FIND_RESULTS);
}

void CFindDlg::open()
{
    if (GetHwnd() == nullptr && !Create(frame_.GetHwnd())) return;
    ShowWindow(GetHwnd(), SW_SHOW);
    SetForegroundWindow(GetHwnd());
    // As Tab does: the focus to the edit, its text selected.
    SendMessageW(GetHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetItem(IDC_FIND_TEXT)), TRUE);
}

void CFindDlg::close()
{
    if (GetHwnd() != nullptr) EndDialog(IDCANCEL);
}

bool CFindDlg::OnInitDialog()
{
    place();
    SendMessageW(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ViewControls::giveItemIcons(list());
    insertColumns();
    UpdateData(false);
    document_.AddUpdateListener(this);
    searchLater();
    return true;
}

void CFindDlg::place() const
{
    if (lastPlace_) {
        SetWindowPos(GetHwnd(), nullptr, lastPlace_->x, lastPlace_->y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT owner{};
    RECT own{};
    GetWindowRect(frame_.GetHwnd(), &owner);
    GetWindowRect(GetHwnd(), &own);
    SetWindowPos(GetHwnd(), nullptr, owner.right - (own.right - own.left) - OwnerMargin, owner.top + OwnerMargin * 3,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFindDlg::insertColumns() const
{
    RECT client{};
    GetClientRect(list(), &client);
    const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (size_t index = 0; index < std::size(Columns); ++index)
        ReportList::insertColumn(list(), static_cast<int>(index), Columns[index].header,
                                 width * Columns[index].percent / 100);
}

void CFindDlg::DoDataExchange(CDataExchange& dx)
{
    // The places first: setting the words already starts a search.
    dx.Check(IDC_FIND_IN_TITLE, inTitle_);
    dx.Check(IDC_FIND_IN_URL, inUrl_);
    dx.Check(IDC_FIND_IN_MESSAGE, inMessage_);
    dx.Text(IDC_FIND_TEXT, words_);
}

bool CFindDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (!isQueryControl(id, code)) return CDialogBase::OnCommand(id, code, control);
    UpdateData(true);
    search();
    return true;
}

bool CFindDlg::isQueryControl(UINT id, UINT code) const
{
    if (id == IDC_FIND_TEXT) return code == EN_CHANGE;
    return code == BN_CLICKED && (id == IDC_FIND_IN_TITLE || id == IDC_FIND_IN_URL || id == IDC_FIND_IN_MESSAGE);
}

bool CFindDlg::OnNotify(NMHDR& header, LRESULT&)
{
    if (header.idFrom != IDC_FIND_RESULTS) return false;
    if (header.code == LVN_GETDISPINFOW) {
        onGetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    }
    if (header.code == NM_DBLCLK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (row >= 0) showResult(row);
        return true;
    }
    return false;
}

void CFindDlg::onGetDispInfo(NMLVDISPINFOW& request) const
{
    LVITEMW& fields = request.item;
    if (fields.iItem < 0 || static_cast<size_t>(fields.iItem) >= results_.size()) return;
    const BookmarkItem& item = *results_[static_cast<size_t>(fields.iItem)];
    if ((fields.mask & LVIF_IMAGE) != 0) fields.iImage = ViewControls::listImageOf(item.type);
    if ((fields.mask & LVIF_TEXT) == 0 || fields.pszText == nullptr || fields.cchTextMax <= 0) return;
    const std::string text = fields.iSubItem == 0 ? item.title : fields.iSubItem == 1 ? item.url : GroupPath::of(item);
    lstrcpynW(fields.pszText, CodePage::toWide(text).c_str(), fields.cchTextMax);
}

void CFindDlg::OnDestroy()
{
    RECT own{};
    if (GetWindowRect(GetHwnd(), &own)) lastPlace_ = POINT{own.left, own.top};
    document_.RemoveUpdateListener(this);
    results_.clear();
    index_.reset();
    searchPosted_ = false;
}

void CFindDlg::OnOK()
{
    int row = selectedRow();
    if (row < 0 && !results_.empty()) {
        row = 0;
        selectRow(row);
    }
    if (row >= 0) showResult(row);
}

bool CFindDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    if (message != SearchAgain) return false;
    searchPosted_ = false;
    // Posted messages come before the keys: no keystroke waits for the index.
    if (!index_) index_.emplace(*document_.rootItem());
    search();
    result = TRUE;
    return true;
}

bool CFindDlg::PreTranslateMessage(MSG& msg)
{
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F3) {
        showNextResult();
        return true;
    }
    return CDialogBase::PreTranslateMessage(msg);
}

bool CFindDlg::showNextResult()
{
    if (GetHwnd() == nullptr || results_.empty()) return false;
    const int row = (selectedRow() + 1) % static_cast<int>(results_.size());
    selectRow(row);
    showResult(row);
    return true;
}

void CFindDlg::OnDocumentUpdate(LPARAM hint, CObject* hintObject)
{
    if (hint == HintOpenGroup) return;
    // The index points into the tree as it was.
    index_.reset();
    const auto* details = dynamic_cast<const UpdateHint*>(hintObject);
    if (hint == HintItemsRemoved && details != nullptr) forgetRemoved(details->items);
    if (hint == HintReset) {
        results_.clear();
        showResults(nullptr);
    }
    searchLater();
}

void CFindDlg::searchLater()
{
    if (!searchPosted_) searchPosted_ = PostMessageW(GetHwnd(), SearchAgain, 0, 0) != FALSE;
}

void CFindDlg::search()
{
    BookmarkItem* const selected = selectedItem();
    const unsigned fields = (inTitle_ != 0 ? FindMatcher::Title : 0u) | (inUrl_ != 0 ? FindMatcher::Url : 0u) |
                            (inMessage_ != 0 ? FindMatcher::Message : 0u);
    const FindMatcher matcher(words_, fields);
    results_.clear();
    if (matcher.hasWords()) {
        if (!index_) index_.emplace(*document_.rootItem());
        results_ = index_->find(matcher);
    }
    showResults(selected);
}

void CFindDlg::forgetRemoved(const std::vector<BookmarkItem*>& leaving)
{
    // An item leaves with its group, and that with its own.
    const std::unordered_set<const BookmarkItem*> gone(leaving.begin(), leaving.end());
    const auto hasLeft = [&gone](const BookmarkItem* item) {
        for (; item != nullptr; item = item->parent)
            if (gone.count(item) != 0) return true;
        return false;
    };
    const BookmarkItem* selected = selectedItem();
    results_.erase(std::remove_if(results_.begin(), results_.end(), hasLeft), results_.end());
    showResults(selected);
}

void CFindDlg::showResults(const BookmarkItem* selected)
{
    // No rows first: no selection left, and the list back at its top.
    SendMessageW(list(), LVM_SETITEMCOUNT, 0, 0);
    SendMessageW(list(), LVM_SETITEMCOUNT, results_.size(), 0);
    const auto found = std::find(results_.begin(), results_.end(), selected);
    if (found != results_.end()) selectRow(static_cast<int>(found - results_.begin()));
    InvalidateRect(list(), nullptr, FALSE);
}

int CFindDlg::selectedRow() const
{
    return static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

BookmarkItem* CFindDlg::selectedItem() const
{
    const int row = selectedRow();
    return row >= 0 && static_cast<size_t>(row) < results_.size() ? results_[static_cast<size_t>(row)] : nullptr;
}

void CFindDlg::selectRow(int row) const
{
    ListView_SetItemState(list(), row, SelectionStates, SelectionStates);
    SendMessageW(list(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void CFindDlg::showResult(int row)
{
    frame_.showItem(*results_.at(static_cast<size_t>(row)));
}
