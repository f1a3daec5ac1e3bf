#include "views/CRavloView.h"

#include "app/AppOptions.h"
#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "views/ViewControls.h"

#include <iterator>
#include <string>

namespace {

struct Column {
    const wchar_t* header;
    int defaultWidth;
    int WindowInfo::*savedWidth;
    std::string BookmarkItem::*text;
};

const Column Columns[] = {
    {L"タイトル", 120, &WindowInfo::titleWidth, &BookmarkItem::title},
    {L"URL", 160, &WindowInfo::urlWidth, &BookmarkItem::url},
    {L"メッセージ", 200, &WindowInfo::messageWidth, &BookmarkItem::message},
    {L"日付", 80, &WindowInfo::dateWidth, &BookmarkItem::date},
};

constexpr UINT SelectionStates = LVIS_SELECTED | LVIS_FOCUSED;

// Images 0..2 are group, URL, URL-group; a separator's image never shows.
int imageOf(ItemType type)
{
    switch (type) {
    case ItemType::Url:
        return 1;
    case ItemType::GroupUrl:
        return 2;
    default:
        return 0;
    }
}

// Column 0 of `item`'s row with its image and data; `title` must outlive the use.
LVITEMW rowFields(int row, BookmarkItem& item, const std::wstring& title)
{
    LVITEMW fields{};
    fields.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    fields.iItem = row;
    fields.pszText = const_cast<wchar_t*>(title.c_str());
    fields.iImage = imageOf(item.type);
    fields.lParam = reinterpret_cast<LPARAM>(&item);
    return fields;
}

}  // namespace

bool CRavloView::OnCreate(CREATESTRUCTW&)
{
    list_ = ViewControls::createControl(GetHwnd(), WC_LISTVIEWW, LVS_REPORT | LVS_EDITLABELS, ICC_LISTVIEW_CLASSES);
    if (list_ == nullptr) return false;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    insertColumns();
    // Without LVS_SHAREIMAGELISTS the list destroys its image list itself.
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(ViewControls::makeIconList({IDI_GROUP, IDI_URL, IDI_GROUP_URL})));
    watchControlKeys();
    return true;
}

void CRavloView::OnDestroy()
{
    saveColumnWidths();
    CBookView::OnDestroy();
}

void CRavloView::OnNcDestroy()
{
    // The list is gone with its parent; later updates find nothing to change.
    list_ = nullptr;
}

WindowInfo* CRavloView::windowInfo() const
{
    const CRavloDoc* document = book();
    AppOptions* options = document != nullptr ? document->options() : nullptr;
    return options != nullptr ? &options->windowInfo : nullptr;
}

void CRavloView::insertColumns()
{
    const WindowInfo* info = windowInfo();
    // Widths from a partly read settings file are not trusted.
    const bool saved = info != nullptr && info->complete == 1;
    int index = 0;
    for (const Column& column : Columns) {
        LVCOLUMNW fields{};
        fields.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        fields.fmt = LVCFMT_LEFT;
        fields.cx = saved ? info->*column.savedWidth : column.defaultWidth;
        fields.pszText = const_cast<wchar_t*>(column.header);
        fields.iSubItem = index;
        SendMessageW(list_, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&fields));
        ++index;
    }
}

void CRavloView::saveColumnWidths() const
{
    WindowInfo* info = windowInfo();
    if (info == nullptr) return;
    int index = 0;
    for (const Column& column : Columns)
        info->*column.savedWidth = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, index++, 0));
}

bool CRavloView::showsChangesIn(const BookmarkItem* group) const
{
    return group_ != nullptr && group == group_;
}

bool CRavloView::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != list_ || header.code != NM_CUSTOMDRAW) return false;
    result = OnCustomDraw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
    return true;
}

void CRavloView::OnOpenGroup(const UpdateHint& hint)
{
    const ViewControls::RedrawFreeze freeze(list_);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    group_ = hint.group;
    if (group_ == nullptr) return;
    int row = 0;
    for (const ItemRef& child : group_->children) insertRow(row++, *child);
    if (row > 0) setRowState(0, SelectionStates);
}

void CRavloView::OnItemsAdded(const UpdateHint& hint)
{
    if (hint.items.empty()) return;
    const int first = insertRows(hint);
    // Scrolling waits until redrawing is back on: only then does the list
    // take its new length into its scroll range.
    const int last = first + static_cast<int>(hint.items.size()) - 1;
    SendMessageW(list_, LVM_ENSUREVISIBLE, last, FALSE);
    SendMessageW(list_, LVM_ENSUREVISIBLE, first, FALSE);
}

int CRavloView::insertRows(const UpdateHint& hint)
{
    const ViewControls::RedrawFreeze freeze(list_);
    if (hint.select) setRowState(-1, 0);
    const int following = hint.before != nullptr ? rowOf(hint.before) : -1;
    const int first = following >= 0 ? following : rowCount();
    int row = first;
    for (BookmarkItem* item : hint.items) {
        insertRow(row, *item);
        if (hint.select) setRowState(row, row == first ? SelectionStates : LVIS_SELECTED);
        ++row;
    }
    return first;
}

void CRavloView::OnItemChanged(const UpdateHint& hint)
{
    if (hint.items.empty()) return;
    const int row = rowOf(hint.items.front());
    if (row >= 0) showItem(row, *hint.items.front());
}

void CRavloView::OnItemsRemoved(const UpdateHint& hint)
{
    for (auto item = hint.items.rbegin(); item != hint.items.rend(); ++item) {
        const int row = rowOf(*item);
        if (row >= 0) SendMessageW(list_, LVM_DELETEITEM, row, 0);
    }
}

void CRavloView::OnItemsSwapped(const UpdateHint& hint)
{
    if (hint.items.size() < 2) return;
    BookmarkItem& nowAtA = *hint.items[0];
    BookmarkItem& nowAtB = *hint.items[1];
    // The rows still show the order before the exchange: row A shows the
    // item that is now at B.
    const int rowA = hint.positionA >= 0 ? static_cast<int>(hint.positionA) : rowOf(&nowAtB);
    const int rowB = hint.positionB >= 0 ? static_cast<int>(hint.positionB) : rowOf(&nowAtA);
    if (rowA < 0 || rowB < 0) return;
    const UINT stateA = rowState(rowA);
    const UINT stateB = rowState(rowB);
    showItem(rowA, nowAtA);
    showItem(rowB, nowAtB);
    // The selection follows the items.
    setRowState(rowA, stateB);
    setRowState(rowB, stateA);
}

void CRavloView::OnReset()
{
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    group_ = nullptr;
}

LRESULT CRavloView::OnCustomDraw(const NMLVCUSTOMDRAW& draw) const
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto* item = reinterpret_cast<const BookmarkItem*>(draw.nmcd.lItemlParam);
    if (item == nullptr || !item->isSeparator()) return CDRF_DODEFAULT;
    drawSeparator(draw.nmcd);
    return CDRF_SKIPDEFAULT;
}

void CRavloView::drawSeparator(const NMCUSTOMDRAW& draw) const
{
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, draw.dwItemSpec, reinterpret_cast<LPARAM>(&bounds));
    const bool selected = (draw.uItemState & CDIS_SELECTED) != 0;
    FillRect(draw.hdc, &bounds, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const HGDIOBJ previousPen = SelectObject(draw.hdc, pen);
    const int middle = (bounds.top + bounds.bottom) / 2;
    MoveToEx(draw.hdc, bounds.left + 4, middle, nullptr);
    LineTo(draw.hdc, bounds.right - 4, middle);
    SelectObject(draw.hdc, previousPen);
    DeleteObject(pen);
    if ((draw.uItemState & CDIS_FOCUS) != 0) DrawFocusRect(draw.hdc, &bounds);
}

void CRavloView::insertRow(int row, BookmarkItem& item)
{
    const std::wstring title = CodePage::toWide(item.title);
    LVITEMW fields = rowFields(row, item, title);
    row = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&fields)));
    if (row >= 0) showColumns(row, item);
}

void CRavloView::showItem(int row, BookmarkItem& item)
{
    const std::wstring title = CodePage::toWide(item.title);
    LVITEMW fields = rowFields(row, item, title);
    SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&fields));
    showColumns(row, item);
}

void CRavloView::showColumns(int row, const BookmarkItem& item)
{
    for (int index = 1; index < static_cast<int>(std::size(Columns)); ++index) {
        const std::wstring text = CodePage::toWide(item.*Columns[index].text);
        LVITEMW fields{};
        fields.iSubItem = index;
        fields.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&fields));
    }
}

int CRavloView::rowOf(const BookmarkItem* item) const
{
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(item);
    const WPARAM fromTheStart = static_cast<WPARAM>(-1);
    return static_cast<int>(SendMessageW(list_, LVM_FINDITEMW, fromTheStart, reinterpret_cast<LPARAM>(&find)));
}

int CRavloView::rowCount() const
{
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

UINT CRavloView::rowState(int row) const
{
    return static_cast<UINT>(SendMessageW(list_, LVM_GETITEMSTATE, row, SelectionStates));
}

void CRavloView::setRowState(int row, UINT state)
{
    LVITEMW fields{};
    fields.stateMask = SelectionStates;
    fields.state = state;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&fields));
}
