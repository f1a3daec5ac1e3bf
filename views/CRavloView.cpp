#include "views/CRavloView.h"

#include "app/AppOptions.h"
#include "model/BookEditor.h"
#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/DropBand.h"
#include "model/UpdateHint.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "framework/CCmdUI.h"
#include "framework/CDocument.h"
#include "framework/ResourceText.h"
#include "views/OpenInBrowser.h"
#include "views/SingleLineText.h"
#include "views/ViewControls.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_set>

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

}  // namespace

CRavloView::CRavloView() : contextMenu_(LoadMenuW(ResourceText::Instance(), MAKEINTRESOURCEW(IDR_ITEM_CONTEXT)))
{
    addCommands();
}

CRavloView::~CRavloView()
{
    if (contextMenu_ != nullptr) DestroyMenu(contextMenu_);
}

void CRavloView::addCommands()
{
    for (UINT id : {ID_ITEM_NEW_GROUP, ID_ITEM_NEW_URL, ID_ITEM_NEW_GROUP_URL, ID_ITEM_NEW_SEPARATOR})
        AddCommand(id, [this, id] { onCreateItem(id); });
    AddCommand(ID_ITEM_EDIT, [this] { onEdit(0); });
    AddCommand(ID_ITEM_DELETE, [this] { onDelete(true); });
    AddCommand(ID_ITEM_BROWSE, [this] { onBrowse(); });
    AddCommand(ID_ITEM_OPEN, [this] { onOpen(); });
    AddCommand(ID_PARENT_GROUP, [this] { onParentGroup(); });
    AddCommand(ID_ITEM_RENAME, [this] { onRename(); });
    AddCommand(ID_ITEM_MOVE_UP, [this] { onMoveUp(); });
    AddCommand(ID_ITEM_MOVE_DOWN, [this] { onMoveDown(); });
    const auto withGroupAndSelection = [this](CCmdUI& ui) { ui.Enable(group_ != nullptr && anyRowSelected()); };
    AddUpdate(ID_ITEM_EDIT, withGroupAndSelection);
    AddUpdate(ID_ITEM_DELETE, withGroupAndSelection);
    AddUpdate(ID_ITEM_MOVE_UP, [this](CCmdUI& ui) { enableWithSelection(ui); });
    AddUpdate(ID_ITEM_MOVE_DOWN, [this](CCmdUI& ui) { enableWithSelection(ui); });
    AddUpdate(ID_PARENT_GROUP, [this](CCmdUI& ui) {
        ui.Enable(group_ != nullptr && group_->parent != nullptr && group_->parent->parent != nullptr);
    });
}

void CRavloView::enableWithSelection(CCmdUI& ui) const
{
    ui.Enable(anyRowSelected());
}

bool CRavloView::OnCreate(CREATESTRUCTW&)
{
    list_ = ViewControls::createControl(GetHwnd(), WC_LISTVIEWW, LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                                        ICC_LISTVIEW_CLASSES);
    if (list_ == nullptr) return false;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // An owner-data list keeps only selection and focus: the drop highlight is asked for.
    SendMessageW(list_, LVM_SETCALLBACKMASK, LVIS_DROPHILITED, 0);
    insertColumns();
    ViewControls::giveItemIcons(list_);
    watchControlKeys();
    registerDropTarget();
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
    if (header.hwndFrom != list_) return false;
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOW:
        onGetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    case LVN_ODFINDITEMW:
        result = findRowByTitle(reinterpret_cast<const NMLVFINDITEMW&>(header));
        return true;
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        return true;
    case NM_DBLCLK:
        onDoubleClick(reinterpret_cast<const NMITEMACTIVATE&>(header));
        return true;
    case LVN_BEGINDRAG:
        onBeginDrag();
        return true;
    case NM_RCLICK:
        onRightClick(reinterpret_cast<const NMITEMACTIVATE&>(header));
        return true;
    case LVN_BEGINLABELEDITW:
        result = onBeginLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header)) ? FALSE : TRUE;
        return true;
    case LVN_ENDLABELEDITW:
        // The hint rewrites the row; the control keeps its own text out.
        onEndLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header));
        result = FALSE;
        return true;
    default:
        return false;
    }
}

bool CRavloView::OnControlKeyDown(UINT key)
{
    const bool control = isKeyHeld(VK_CONTROL);
    const bool alt = isKeyHeld(VK_MENU);
    if (key == VK_BACK)
        onParentGroup();
    else if (isPaneSwitchKey(key))
        activateOtherPane();
    else if (key == VK_RETURN && control)
        onEdit(0);
    else if (key == VK_RETURN)
        onOpen();
    else if (key == VK_UP && alt)
        onMoveUp();
    else if (key == VK_DOWN && alt)
        onMoveDown();
    else if (key == VK_DELETE)
        onDelete(!control);
    else if (key == 'M' && control)
        onEdit(1);
    // The list's own handling follows in every case.
    return false;
}

LRESULT CRavloView::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && isKeyHeld(VK_SHIFT)) {
        // A key with Shift may select a range of rows; under Wine the list
        // repaints each row of it at once unless redrawing waits.
        const ViewControls::RedrawFreeze freeze(list_);
        return callControl(message, wParam, lParam);
    }
    const LRESULT result = callControl(message, wParam, lParam);
    // The list holds no row data: each row carries its child.
    auto* fields = message == LVM_GETITEMW ? reinterpret_cast<LVITEMW*>(lParam) : nullptr;
    if (fields != nullptr && (fields->mask & LVIF_PARAM) != 0) fields->lParam = reinterpret_cast<LPARAM>(itemAt(fields->iItem));
    return result;
}

// ------------------------------------------------------------------ commands

void CRavloView::onCreateItem(UINT id)
{
    if (group_ == nullptr) return;
    const ItemRef item = newItemFor(id, *group_);
    if (item != nullptr) editor()->appendItems(*group_, {item}, true);
}

void CRavloView::onEdit(int focusMode)
{
    const std::vector<BookmarkItem*> items = selectedItems();
    if (items.empty() || !editItems(items, focusMode, false)) return;
    for (BookmarkItem* item : items) {
        UpdateHint hint;
        hint.group = group_;
        hint.items = {item};
        announceChange(HintItemChanged, hint);
    }
}

void CRavloView::onBrowse() const
{
    for (const BookmarkItem* item : selectedItems())
        if (item->hasUrl()) OpenInBrowser(item->url);
}

void CRavloView::onOpen()
{
    for (BookmarkItem* item : selectedItems()) {
        if (item->isGroup() || item->hasUrl()) {
            openItem(*item);
            return;
        }
    }
}

void CRavloView::openItem(BookmarkItem& item)
{
    if (item.isGroup())
        openGroup(item);
    else if (item.hasUrl())
        OpenInBrowser(item.url);
}

void CRavloView::openGroup(BookmarkItem& group)
{
    CDocument* document = GetDocument();
    if (document == nullptr) return;
    UpdateHint hint;
    hint.group = &group;
    document->UpdateAllViews(nullptr, HintOpenGroup, &hint);
}

void CRavloView::onParentGroup()
{
    // The top-level group has no way up: its parent is the invisible root.
    if (group_ != nullptr && group_->parent != nullptr && group_->parent->parent != nullptr)
        openGroup(*group_->parent);
}

void CRavloView::onRename()
{
    const int row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (row >= 0) SendMessageW(list_, LVM_EDITLABELW, row, 0);
}

void CRavloView::onDelete(bool confirm)
{
    if (group_ == nullptr) return;
    const std::vector<int> rows = selectedRows();
    if (confirm && !rows.empty() && !confirmDeletion("選択されている全アイテムを削除しますか？")) return;
    removeRows(rows);
}

void CRavloView::removeRows(const std::vector<int>& rows)
{
    BookEditor* const book = editor();
    if (book == nullptr) return;
    std::vector<BookmarkItem*> items;
    for (int row : rows) items.push_back(itemAt(row));
    const ViewControls::RedrawFreeze freeze(list_);
    book->removeItems(*group_, items);
}

void CRavloView::onMoveDown()
{
    BookEditor* const book = editor();
    if (group_ == nullptr || book == nullptr) return;
    const ViewControls::RedrawFreeze freeze(list_);
    book->moveDown(*group_, selectedPositions());
}

void CRavloView::onMoveUp()
{
    BookEditor* const book = editor();
    if (group_ == nullptr || book == nullptr) return;
    const ViewControls::RedrawFreeze freeze(list_);
    book->moveUp(*group_, selectedPositions());
}

std::vector<long> CRavloView::selectedPositions() const
{
    const std::vector<int> rows = selectedRows();
    return std::vector<long>(rows.begin(), rows.end());
}

// ------------------------------------------------------------------ notifications

void CRavloView::onDoubleClick(const NMITEMACTIVATE& click)
{
    if (BookmarkItem* item = itemAt(click.iItem)) openItem(*item);
}

void CRavloView::onRightClick(const NMITEMACTIVATE& click)
{
    bool built = false;
    const HMENU menu = contextMenuFor(click.iItem, built);
    if (menu == nullptr) return;
    RECT window{};
    GetWindowRect(list_, &window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, window.left + click.ptAction.x, window.top + click.ptAction.y, 0,
                   GetHwnd(), nullptr);
    if (built) DestroyMenu(menu);
}

HMENU CRavloView::contextMenuFor(int hitRow, bool& built) const
{
    built = false;
    const bool anySelected = anyRowSelected();
    if (group_ != nullptr && (hitRow < 0 || !anySelected)) return GetSubMenu(contextMenu_, 0);
    if (hitRow < 0 || !anySelected) return nullptr;
    built = true;
    return buildSelectionMenu();
}

HMENU CRavloView::buildSelectionMenu() const
{
    const std::vector<BookmarkItem*> items = selectedItems();
    bool anyGroup = false;
    bool anyUrl = false;
    bool anyGroupUrl = false;
    for (const BookmarkItem* item : items) {
        anyGroup = anyGroup || item->type == ItemType::Group;
        anyUrl = anyUrl || item->type == ItemType::Url;
        anyGroupUrl = anyGroupUrl || item->type == ItemType::GroupUrl;
    }
    const HMENU menu = CreatePopupMenu();
    if (items.size() == 1) {
        const BookmarkItem& only = *items.front();
        if (only.isGroup()) {
            if (!anyUrl) AppendMenuW(menu, MF_STRING, ID_ITEM_OPEN, L"開く");
            if (anyGroupUrl && !anyGroup) AppendMenuW(menu, MF_STRING, ID_ITEM_BROWSE, L"ブラウザで閲覧");
        } else if (only.type == ItemType::Url) {
            AppendMenuW(menu, MF_STRING, ID_ITEM_BROWSE, L"ブラウザで閲覧");
        }
        if (GetMenuItemCount(menu) > 0) SetMenuDefaultItem(menu, 0, TRUE);
    }
    AppendMenuW(menu, MF_STRING, ID_ITEM_EDIT, L"変更");
    AppendMenuW(menu, MF_STRING, ID_ITEM_DELETE, L"削除");
    return menu;
}

bool CRavloView::onBeginLabelEdit(const NMLVDISPINFOW& edit) const
{
    const BookmarkItem* item = itemAt(edit.item.iItem);
    return item != nullptr && !item->isSeparator();
}

void CRavloView::onEndLabelEdit(const NMLVDISPINFOW& edit)
{
    BookmarkItem* item = itemAt(edit.item.iItem);
    if (edit.item.pszText == nullptr || item == nullptr) return;
    item->title = CodePage::fromWide(edit.item.pszText);
    UpdateHint hint;
    hint.group = group_;
    hint.items = {item};
    announceChange(HintItemChanged, hint);
}

std::vector<int> CRavloView::selectedRows() const
{
    std::vector<int> rows;
    if (list_ == nullptr) return rows;
    for (int row = -1; (row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                             LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

bool CRavloView::anyRowSelected() const
{
    return list_ != nullptr && SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

void CRavloView::clearSelection()
{
    // Not with row -1: an owner-data list then visits every row.
    for (int row : selectedRows()) setRowState(row, 0);
    const int focused = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) setRowState(focused, 0);
}

std::vector<BookmarkItem*> CRavloView::selectedItems() const
{
    std::vector<BookmarkItem*> items;
    for (int row : selectedRows())
        if (BookmarkItem* item = itemAt(row)) items.push_back(item);
    return items;
}

BookmarkItem* CRavloView::itemAt(int row) const
{
    return group_ != nullptr ? group_->children.itemAt(row) : nullptr;
}

void CRavloView::onGetDispInfo(NMLVDISPINFOW& request) const
{
    LVITEMW& fields = request.item;
    const BookmarkItem* item = itemAt(fields.iItem);
    if (item == nullptr) return;
    if ((fields.mask & LVIF_TEXT) != 0 && fields.pszText != nullptr && fields.cchTextMax > 0 &&
        fields.iSubItem >= 0 && fields.iSubItem < static_cast<int>(std::size(Columns))) {
        // A line break in a column shows as a space, not as a box glyph.
        const std::string& column = item->*Columns[fields.iSubItem].text;
        const std::wstring text = CodePage::toWide(fields.iSubItem > 0 ? singleLineText(column) : column);
        lstrcpynW(fields.pszText, text.c_str(), fields.cchTextMax);
    }
    if ((fields.mask & LVIF_IMAGE) != 0) fields.iImage = ViewControls::listImageOf(item->type);
    if ((fields.mask & LVIF_PARAM) != 0) fields.lParam = reinterpret_cast<LPARAM>(item);
    if ((fields.mask & LVIF_STATE) != 0 && fields.iItem == dropHighlight_ && item->isGroup())
        fields.state |= fields.stateMask & LVIS_DROPHILITED;
}

int CRavloView::findRowByTitle(const NMLVFINDITEMW& request) const
{
    const LVFINDINFOW& find = request.lvfi;
    const int count = rowCount();
    // A partial search is a search by text too.
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    if ((!partial && (find.flags & LVFI_STRING) == 0) || find.psz == nullptr || count == 0 || group_ == nullptr)
        return -1;
    const int wanted = lstrlenW(find.psz);
    const int start = request.iStart >= 0 && request.iStart < count ? request.iStart : 0;
    const int steps = (find.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < steps; ++step) {
        const int row = (start + step) % count;
        const std::wstring title = CodePage::toWide(group_->children.itemAt(row)->title);
        if (partial && static_cast<int>(title.size()) < wanted) continue;
        const int compared = partial ? wanted : static_cast<int>(title.size());
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, title.c_str(), compared, find.psz, wanted) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

void CRavloView::OnOpenGroup(const UpdateHint& hint)
{
    const int first = showGroup(hint);
    // Only with redrawing back on does the list scroll to the row.
    if (first > 0) SendMessageW(list_, LVM_ENSUREVISIBLE, first, FALSE);
}

int CRavloView::showGroup(const UpdateHint& hint)
{
    // One update of the scroll bars for both counts.
    const ViewControls::RedrawFreeze freeze(list_);
    // No rows: no states, and the list scrolled to its top. Deleting all
    // rows would visit each of them.
    SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
    group_ = hint.group;
    if (group_ == nullptr || group_->children.empty()) return -1;
    SendMessageW(list_, LVM_SETITEMCOUNT, group_->children.size(), 0);
    std::vector<int> rows = hint.select ? rowsOf(hint.items) : std::vector<int>();
    if (rows.empty()) rows.push_back(0);
    for (int row : rows) setRowState(row, row == rows.front() ? SelectionStates : LVIS_SELECTED);
    return rows.front();
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
    if (hint.select) clearSelection();
    const int added = static_cast<int>(hint.items.size());
    const int rows = rowCount();
    // The following item already stands after the new ones.
    const int following = hint.before != nullptr ? rowOf(hint.before) - added : -1;
    const int first = following >= 0 && following < rows ? following : rows;
    renumberRows(first, rows + added, [added](int row) { return row + added; }, [](int) { return false; });
    if (hint.select)
        for (int row = first; row < first + added; ++row) setRowState(row, row == first ? SelectionStates : LVIS_SELECTED);
    return first;
}

void CRavloView::OnItemChanged(const UpdateHint& hint)
{
    if (hint.items.empty()) return;
    const int row = rowOf(hint.items.front());
    if (row >= 0) redrawRows(row, row);
}

void CRavloView::OnItemsRemoved(const UpdateHint& hint)
{
    const std::vector<int> leaving = rowsOf(hint.items);
    if (leaving.empty()) return;
    // A row's new index: less one for every row that leaves before it.
    const auto newRow = [&leaving](int row) {
        return row - static_cast<int>(std::lower_bound(leaving.begin(), leaving.end(), row) - leaving.begin());
    };
    const auto leaves = [&leaving](int row) { return std::binary_search(leaving.begin(), leaving.end(), row); };
    renumberRows(leaving.front(), rowCount() - static_cast<int>(leaving.size()), newRow, leaves);
}

std::vector<int> CRavloView::rowsOf(const std::vector<BookmarkItem*>& items) const
{
    const std::unordered_set<const BookmarkItem*> wanted(items.begin(), items.end());
    std::vector<int> rows;
    const ItemList& children = group_->children;
    for (size_t row = 0; row < children.size() && rows.size() < wanted.size(); ++row)
        if (wanted.count(children.itemAt(static_cast<long>(row))) != 0) rows.push_back(static_cast<int>(row));
    return rows;
}

void CRavloView::OnItemsSwapped(const UpdateHint& hint)
{
    if (hint.items.size() < 2) return;
    // The exchange is done: without positions the rows are found by their items.
    const int rowA = hint.positionA >= 0 ? static_cast<int>(hint.positionA) : rowOf(hint.items[0]);
    const int rowB = hint.positionB >= 0 ? static_cast<int>(hint.positionB) : rowOf(hint.items[1]);
    if (rowA < 0 || rowB < 0) return;
    // The selection follows the items.
    const UINT stateA = rowState(rowA);
    const UINT stateB = rowState(rowB);
    if (stateA != stateB) {
        setRowState(rowA, stateB);
        setRowState(rowB, stateA);
    }
    redrawRows(std::min(rowA, rowB), std::max(rowA, rowB));
}

void CRavloView::OnReset()
{
    SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
    group_ = nullptr;
}

LRESULT CRavloView::OnCustomDraw(const NMLVCUSTOMDRAW& draw) const
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const BookmarkItem* item = itemAt(static_cast<int>(draw.nmcd.dwItemSpec));
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

int CRavloView::rowOf(const BookmarkItem* item) const
{
    return group_ != nullptr ? static_cast<int>(group_->children.indexOf(item)) : -1;
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

template <class NewRow, class Leaves>
void CRavloView::renumberRows(int from, int count, NewRow newRow, Leaves leaves)
{
    std::vector<int> selected;
    for (int row = from - 1; (row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                                   LVNI_SELECTED))) >= 0;)
        selected.push_back(row);
    const int focused = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    const bool focusMoves = focused >= from;
    for (int row : selected) setRowState(row, 0);
    if (focusMoves) setRowState(focused, 0);
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
    for (int row : selected)
        if (!leaves(row)) setRowState(newRow(row), LVIS_SELECTED);
    if (!focusMoves || count == 0) return;
    const int target = std::min(newRow(focused), count - 1);
    setRowState(target, rowState(target) | LVIS_FOCUSED);
}

void CRavloView::redrawRows(int first, int last) const
{
    SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

// ------------------------------------------------------------------ drag and drop

void CRavloView::onBeginDrag()
{
    if (group_ == nullptr) return;
    if (dragItems(selectedItems()) != DROPEFFECT_MOVE) return;
    // The dropped copies came in unselected: the originals are the rows
    // still selected.
    removeRows(selectedRows());
}

DWORD CRavloView::OnDragEnter(IDataObject* data, DWORD keyState, POINT screen)
{
    dropHighlight_ = -1;
    scroller().reset();
    return OnDragOver(data, keyState, screen);
}

DWORD CRavloView::OnDragOver(IDataObject* data, DWORD keyState, POINT screen)
{
    if (group_ == nullptr) return DROPEFFECT_NONE;
    const DWORD effect = acceptedEffect(data, keyState);
    const bool moving = effect == DROPEFFECT_MOVE;
    if (effect == DROPEFFECT_NONE || (moving && group_->dragging)) return DROPEFFECT_NONE;
    const POINT client = clientPoint(screen);
    if (scroller().onDragOver(list_, client)) return DROPEFFECT_NONE;
    const int row = dropTargetRowAt(client);
    setDropHighlight(row);
    const BookmarkItem* item = itemAt(row);
    return item != nullptr && moving && item->dragging ? DROPEFFECT_NONE : effect;
}

void CRavloView::OnDragLeave()
{
    setDropHighlight(-1);
    scroller().reset();
}

DWORD CRavloView::OnDrop(IDataObject* data, DWORD keyState, POINT screen)
{
    DWORD effect = acceptedEffect(data, keyState);
    const std::vector<ItemRef> items = group_ != nullptr ? droppedItems(data) : std::vector<ItemRef>();
    BookEditor* const book = editor();
    if (!items.empty() && book != nullptr) {
        bool intoGroup = false;
        const int row = insertionRow(clientPoint(screen), intoGroup);
        const bool placed = intoGroup ? book->placeItems(*itemAt(row), items, placementOptions())
                                      : book->insertEach(*group_, itemAt(row), items);
        if (!placed) effect = DROPEFFECT_NONE;  // refused items stay where they came from: no move
    }
    OnDragLeave();
    return effect;
}

int CRavloView::dropTargetRowAt(POINT client) const
{
    LVHITTESTINFO hit{};
    hit.pt = client;
    const int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0) return -1;
    const RECT bounds = rowBounds(row);
    return dropBandAt(bounds.top, bounds.bottom, client.y) == DropBand::Into ? row : -1;
}

RECT CRavloView::rowBounds(int row) const
{
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

void CRavloView::setDropHighlight(int row)
{
    if (row == dropHighlight_) return;
    const int previous = dropHighlight_;
    dropHighlight_ = row;
    // The list asks for the highlight (onGetDispInfo), which only a group row shows.
    if (previous >= 0) redrawRows(previous, previous);
    if (row >= 0) redrawRows(row, row);
}

int CRavloView::insertionRow(POINT client, bool& intoGroup) const
{
    intoGroup = false;
    LVHITTESTINFO hit{};
    hit.pt = client;
    int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const BookmarkItem* item = itemAt(row);
    if (item == nullptr) return -1;
    const RECT bounds = rowBounds(row);
    // A link or separator has no inside: its halves put the drop before or after it.
    const DropBand band = item->isGroup() ? dropBandAt(bounds.top, bounds.bottom, client.y)
                          : client.y >= (bounds.top + bounds.bottom) / 2 ? DropBand::After
                                                                         : DropBand::Before;
    intoGroup = band == DropBand::Into;
    if (band == DropBand::After) ++row;
    return row == rowCount() ? -1 : row;
}
