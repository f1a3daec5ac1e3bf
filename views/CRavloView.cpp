#include "views/CRavloView.h"

#include "app/AppOptions.h"
#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "model/ItemInserter.h"
#include "framework/CCmdUI.h"
#include "framework/CDocument.h"
#include "framework/ResourceText.h"
#include "views/OpenInBrowser.h"
#include "views/SingleLineText.h"
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
    const auto withGroupAndSelection = [this](CCmdUI& ui) { ui.Enable(group_ != nullptr && !selectedRows().empty()); };
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
    ui.Enable(!selectedRows().empty());
}

bool CRavloView::OnCreate(CREATESTRUCTW&)
{
    list_ = ViewControls::createControl(GetHwnd(), WC_LISTVIEWW, LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS,
                                        ICC_LISTVIEW_CLASSES);
    if (list_ == nullptr) return false;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    insertColumns();
    // Without LVS_SHAREIMAGELISTS the list destroys its image list itself.
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(ViewControls::makeIconList({IDI_GROUP, IDI_URL, IDI_GROUP_URL})));
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

// ------------------------------------------------------------------ commands

void CRavloView::onCreateItem(UINT id)
{
    if (group_ == nullptr) return;
    const ItemRef item = newItemFor(id, *group_);
    if (item == nullptr) return;
    item->parent = group_;
    group_->children.addTail(item);
    UpdateHint hint;
    hint.group = group_;
    hint.items = {item.get()};
    hint.select = true;
    announceChange(HintItemsAdded, hint);
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
    UpdateHint hint;
    hint.group = group_;
    for (int row : rows) hint.items.push_back(itemAt(row));
    // The views let go of the items while they are still in the book.
    if (CDocument* document = GetDocument()) document->UpdateAllViews(nullptr, HintItemsRemoved, &hint);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const auto position = group_->children.findIndex(*row);
        if (position != group_->children.end()) group_->children.removeAt(position);
    }
    if (CDocument* document = GetDocument()) document->SetModifiedFlag();
}

void CRavloView::onMoveDown()
{
    const std::vector<int> rows = selectedRows();
    if (group_ == nullptr || rows.empty() || rows.back() + 1 >= rowCount()) return;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) swapChildren(*row, *row + 1);
}

void CRavloView::onMoveUp()
{
    const std::vector<int> rows = selectedRows();
    if (group_ == nullptr || rows.empty() || rows.front() == 0) return;
    for (int row : rows) swapChildren(row, row - 1);
}

void CRavloView::swapChildren(long a, long b)
{
    const auto positionA = group_->children.findIndex(a);
    const auto positionB = group_->children.findIndex(b);
    if (positionA == group_->children.end() || positionB == group_->children.end()) return;
    std::swap(*positionA, *positionB);
    UpdateHint hint;
    hint.group = group_;
    hint.positionA = a;
    hint.positionB = b;
    hint.items = {positionA->get(), positionB->get()};
    announceChange(HintItemsSwapped, hint);
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
    const bool anySelected = !selectedRows().empty();
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

std::vector<BookmarkItem*> CRavloView::selectedItems() const
{
    std::vector<BookmarkItem*> items;
    for (int row : selectedRows())
        if (BookmarkItem* item = itemAt(row)) items.push_back(item);
    return items;
}

BookmarkItem* CRavloView::itemAt(int row) const
{
    if (row < 0) return nullptr;
    LVITEMW fields{};
    fields.mask = LVIF_PARAM;
    fields.iItem = row;
    if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields))) return nullptr;
    return reinterpret_cast<BookmarkItem*>(fields.lParam);
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
        const std::wstring text = CodePage::toWide(singleLineText(item.*Columns[index].text));
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
    if (!items.empty()) {
        bool intoGroup = false;
        const int row = insertionRow(clientPoint(screen), intoGroup);
        BookmarkItem& target = intoGroup ? *itemAt(row) : *group_;
        if (!admitsBelow(target, items))
            effect = DROPEFFECT_NONE;  // refused items stay where they came from: no move
        else if (intoGroup)
            dropInto(target, items);
        else
            dropBefore(row, items);
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
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    const LONG height = bounds.bottom - bounds.top;
    if (client.y < bounds.top + height / 6 || client.y >= bounds.top + height * 5 / 6) return -1;
    return row;
}

void CRavloView::setDropHighlight(int row)
{
    if (row == dropHighlight_) return;
    LVITEMW state{};
    state.stateMask = LVIS_DROPHILITED;
    if (dropHighlight_ >= 0) SendMessageW(list_, LVM_SETITEMSTATE, dropHighlight_, reinterpret_cast<LPARAM>(&state));
    const BookmarkItem* item = itemAt(row);
    if (item != nullptr && item->isGroup()) {
        state.state = LVIS_DROPHILITED;
        SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    dropHighlight_ = row;
}

int CRavloView::insertionRow(POINT client, bool& intoGroup) const
{
    intoGroup = false;
    LVHITTESTINFO hit{};
    hit.pt = client;
    int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const BookmarkItem* item = itemAt(row);
    if (item == nullptr) return -1;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    const LONG height = bounds.bottom - bounds.top;
    if (item->isGroup()) {
        if (client.y >= bounds.top + height / 6 && client.y < bounds.top + height * 5 / 6) {
            intoGroup = true;
            return row;
        }
        if (client.y >= bounds.top + height * 5 / 6) ++row;
    } else if (client.y >= (bounds.top + bounds.bottom) / 2) {
        ++row;
    }
    return row == rowCount() ? -1 : row;
}

void CRavloView::dropInto(BookmarkItem& group, const std::vector<ItemRef>& items)
{
    ItemInserter inserter(placementOptions());
    inserter.Start(group);
    for (const ItemRef& item : items) {
        UpdateHint hint;
        hint.group = &group;
        hint.before = inserter.Insert(item);
        hint.items = {item.get()};
        announceChange(HintItemsAdded, hint);
    }
}

void CRavloView::dropBefore(int row, const std::vector<ItemRef>& items)
{
    for (const ItemRef& item : items) {
        ItemList& children = group_->children;
        const auto position = row >= 0 ? children.findIndex(row) : children.end();
        UpdateHint hint;
        hint.group = group_;
        item->parent = group_;
        if (position == children.end()) {
            children.addTail(item);
        } else {
            hint.before = position->get();
            children.insertBefore(position, item);
        }
        hint.items = {item.get()};
        announceChange(HintItemsAdded, hint);
        if (row >= 0) ++row;
    }
}
