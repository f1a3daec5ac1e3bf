#include "views/CSTreeBookView.h"

#include "framework/UiServices.h"
#include "model/BookEditor.h"
#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "views/OpenInBrowser.h"
#include "views/ViewControls.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_map>

namespace {

using Places = std::unordered_map<const BookmarkItem*, long>;

// Where the item dialog puts the caret.
constexpr int NormalFocus = 0;
constexpr int MessageFocus = 1;

struct MenuCommand {
    UINT id;
    const wchar_t* text;
};

// What every group's context menu offers to create in it, in menu order.
constexpr MenuCommand CreateCommands[] = {
    {ID_ITEM_NEW_GROUP, L"新規グループの作成"},
    {ID_ITEM_NEW_URL, L"新規URLの作成"},
    {ID_ITEM_NEW_GROUP_URL, L"新規URL付きグループの作成"},
    {ID_ITEM_NEW_SEPARATOR, L"セパレータの作成"},
};

// Images 0..5 are group, open group, URL, selected URL, URL-group, open
// URL-group: each of the list's images followed by its open or selected one.
int imageOf(ItemType type)
{
    return 2 * ViewControls::listImageOf(type);
}

HTREEITEM entryOf(const BookmarkItem& item) { return reinterpret_cast<HTREEITEM>(item.treeHandle); }

bool hasEntry(const ItemRef& item) { return item->treeHandle != 0; }

// The entry new entries go under; the invisible root has none, so its
// children are the top level.
HTREEITEM entryUnder(const BookmarkItem* parent)
{
    return parent != nullptr && parent->treeHandle != 0 ? entryOf(*parent) : TVI_ROOT;
}

ItemList::ConstPosition positionOf(const BookmarkItem& group, const BookmarkItem* item)
{
    return std::find_if(group.children.begin(), group.children.end(),
                        [item](const ItemRef& child) { return child.get() == item; });
}

// The first child of `group` from `from` on that has an entry; null when
// `from` is null (the end) or none follows.
const BookmarkItem* firstShownFrom(const BookmarkItem& group, const BookmarkItem* from)
{
    if (from == nullptr) return nullptr;
    const auto shown = std::find_if(positionOf(group, from), group.children.end(), hasEntry);
    return shown == group.children.end() ? nullptr : shown->get();
}

// The nearest child of `group` before `item` that has an entry.
const BookmarkItem* lastShownBefore(const BookmarkItem& group, const BookmarkItem& item)
{
    const auto end = std::make_reverse_iterator(group.children.begin());
    const auto shown = std::find_if(std::make_reverse_iterator(positionOf(group, &item)), end, hasEntry);
    return shown == end ? nullptr : shown->get();
}

// Text, images and data of the entry of `item`; `text` must outlive the use.
TVITEMW entryFields(const BookmarkItem& item, const std::wstring& text)
{
    TVITEMW fields{};
    fields.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    fields.pszText = const_cast<wchar_t*>(text.c_str());
    fields.iImage = imageOf(item.type);
    fields.iSelectedImage = fields.iImage + 1;
    fields.lParam = reinterpret_cast<LPARAM>(&item);
    return fields;
}

// Orders sibling entries as their items stand among the parent's children.
int CALLBACK compareByPlace(LPARAM first, LPARAM second, LPARAM places)
{
    const Places& order = *reinterpret_cast<const Places*>(places);
    const auto placeOf = [&order](LPARAM item) {
        const auto found = order.find(reinterpret_cast<const BookmarkItem*>(item));
        return found == order.end() ? -1L : found->second;
    };
    const long a = placeOf(first);
    const long b = placeOf(second);
    return a < b ? -1 : (a > b ? 1 : 0);
}

POINT messagePosition()
{
    const DWORD position = GetMessagePos();
    return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

}  // namespace

CSTreeBookView::CSTreeBookView()
{
    for (const MenuCommand& create : CreateCommands)
        AddCommand(create.id, [this, id = create.id] { createInSelected(id); });
    AddCommand(ID_ITEM_EDIT, [this] { editSelected(NormalFocus); });
    AddCommand(ID_ITEM_BROWSE, [this] { browseSelected(); });
    AddCommand(ID_ITEM_DELETE, [this] { deleteSelected(true); });
    AddCommand(ID_ITEM_RENAME, [this] { renameSelected(); });
}

bool CSTreeBookView::OnCreate(CREATESTRUCTW&)
{
    const DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
    tree_ = ViewControls::createControl(GetHwnd(), WC_TREEVIEWW, style, ICC_TREEVIEW_CLASSES);
    if (tree_ == nullptr) return false;
    images_ = ViewControls::makeIconList(
        {IDI_GROUP, IDI_GROUP_OPEN, IDI_URL, IDI_URL_SELECTED, IDI_GROUP_URL, IDI_GROUP_URL_OPEN});
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    watchControlKeys();
    return true;
}

void CSTreeBookView::OnDestroy()
{
    CBookView::OnDestroy();
    // A dying tree must not open another group, and it does not own its
    // image list: that goes once the tree is gone.
    TreeView_SelectItem(tree_, nullptr);
    ::DestroyWindow(tree_);
    tree_ = nullptr;
    ImageList_Destroy(images_);
    images_ = nullptr;
}

void CSTreeBookView::OnInitialUpdate()
{
    const CRavloDoc* document = book();
    if (document == nullptr || document->rootItem() == nullptr) return;
    {
        // A book may hold thousands of groups: one repaint at the end.
        const ViewControls::RedrawFreeze freeze(tree_);
        insertSubGroups(*document->rootItem(), TVI_ROOT);
    }
    // A book without groups still takes drops once groups arrive.
    registerDropTarget();
    const HTREEITEM first = TreeView_GetRoot(tree_);
    if (first == nullptr) return;
    TreeView_SelectItem(tree_, first);
    TreeView_Expand(tree_, first, TVE_EXPAND);
}

bool CSTreeBookView::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != tree_) return false;
    switch (header.code) {
    case TVN_SELCHANGEDW:
        OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW&>(header));
        result = 0;
        return true;
    case TVN_BEGINLABELEDITW:
        // Every entry is a group, and every group can be renamed.
        result = FALSE;
        return true;
    case TVN_ENDLABELEDITW:
        OnEndLabelEdit(reinterpret_cast<const NMTVDISPINFOW&>(header));
        // The control keeps its old text: the change hint relabels the entry
        // from the item, so the label always shows what the book holds.
        result = FALSE;
        return true;
    case TVN_BEGINDRAGW:
        OnBeginDrag(reinterpret_cast<const NMTREEVIEWW&>(header));
        result = 0;
        return true;
    case NM_RCLICK:
        OnRightClick();
        // Our menu replaces the control's WM_CONTEXTMENU.
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CSTreeBookView::OnSelectionChanged(const NMTREEVIEWW& change)
{
    // Clearing the selection reports a change too, without a selected entry.
    if (change.itemNew.hItem == nullptr || (change.itemNew.state & TVIS_SELECTED) == 0) return;
    CDocument* document = GetDocument();
    if (document == nullptr) return;
    UpdateHint open;
    open.group = reinterpret_cast<BookmarkItem*>(change.itemNew.lParam);
    document->UpdateAllViews(this, HintOpenGroup, &open);
}

void CSTreeBookView::OnRightClick()
{
    // The control reports the click without a position: the mouse message
    // that caused it has it.
    const POINT screen = messagePosition();
    const HTREEITEM entry = entryAt(screen);
    if (entry == nullptr) return;
    TreeView_SelectItem(tree_, entry);
    const HMENU menu = buildContextMenu(entry);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, GetHwnd(), nullptr);
    DestroyMenu(menu);
}

HTREEITEM CSTreeBookView::entryAt(POINT screen) const
{
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(tree_, &hit.pt);
    return TreeView_HitTest(tree_, &hit);
}

HMENU CSTreeBookView::buildContextMenu(HTREEITEM entry) const
{
    const HMENU menu = CreatePopupMenu();
    const BookmarkItem* item = itemOf(entry);
    if (item == nullptr) return menu;
    if (item->hasUrl()) AppendMenuW(menu, MF_STRING, ID_ITEM_BROWSE, L"ブラウザで閲覧");
    AppendMenuW(menu, MF_STRING, ID_ITEM_EDIT, L"変更");
    // A top-level group cannot be deleted.
    if (TreeView_GetParent(tree_, entry) != nullptr) AppendMenuW(menu, MF_STRING, ID_ITEM_DELETE, L"削除");
    if (item->isGroup())
        for (const MenuCommand& create : CreateCommands) AppendMenuW(menu, MF_STRING, create.id, create.text);
    return menu;
}

bool CSTreeBookView::OnControlKeyDown(UINT key)
{
    // The tree's keys are plain or with Ctrl; Alt belongs to the menu.
    if (isKeyHeld(VK_MENU)) return false;
    const bool control = isKeyHeld(VK_CONTROL);
    if (isPaneSwitchKey(key))
        activateOtherPane();
    else if (key == VK_RETURN && control)
        editSelected(NormalFocus);
    else if (key == VK_RETURN)
        browseSelected();
    else if (key == VK_DELETE)
        deleteSelected(!control);
    else if (key == 'M' && control)
        editSelected(MessageFocus);
    return false;
}

bool CSTreeBookView::OnControlChar(UINT)
{
    return true;
}

void CSTreeBookView::createInSelected(UINT command)
{
    BookmarkItem* group = selectedItem();
    if (group == nullptr || !group->isGroup()) return;
    const ItemRef item = newItemFor(command, *group);
    if (item) editor()->appendItems(*group, {item}, true);
}

void CSTreeBookView::editSelected(int focusMode)
{
    const HTREEITEM entry = TreeView_GetSelection(tree_);
    BookmarkItem* item = itemOf(entry);
    if (item == nullptr) return;
    const bool topLevel = TreeView_GetParent(tree_, entry) == nullptr;
    if (!editItems({item}, focusMode, topLevel)) return;
    UpdateHint hint;
    hint.group = item->parent;
    hint.items = {item};
    announceChange(HintItemChanged, hint);
}

void CSTreeBookView::browseSelected()
{
    const BookmarkItem* item = selectedItem();
    if (item != nullptr && item->hasUrl()) OpenInBrowser(item->url);
}

void CSTreeBookView::deleteSelected(bool confirm)
{
    const HTREEITEM entry = TreeView_GetSelection(tree_);
    if (entry == nullptr) return;
    if (confirm && !confirmDeletion("アイテムを削除しますか？")) return;
    removeEntry(entry);
}

void CSTreeBookView::removeEntry(HTREEITEM entry)
{
    BookmarkItem* item = itemOf(entry);
    if (item == nullptr) return;
    if (item->parent == nullptr || item->parent->parent == nullptr) {
        UiServices::Current().ShowMessage(GetHwnd(), "削除できないアイテムです。", "削除不可",
                                          MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    BookmarkItem* group = parentItemOf(entry);
    if (group != nullptr && editor() != nullptr) editor()->removeItems(*group, {item});
}

void CSTreeBookView::renameSelected()
{
    const HTREEITEM entry = TreeView_GetSelection(tree_);
    if (entry != nullptr) SendMessageW(tree_, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(entry));
}

void CSTreeBookView::OnEndLabelEdit(const NMTVDISPINFOW& edit)
{
    // No text: the user cancelled the edit.
    if (edit.item.pszText == nullptr) return;
    BookmarkItem* item = itemOf(edit.item.hItem);
    if (item == nullptr) return;
    item->title = CodePage::fromWide(edit.item.pszText);
    UpdateHint hint;
    hint.group = parentItemOf(edit.item.hItem);
    hint.items = {item};
    announceChange(HintItemChanged, hint);
}

void CSTreeBookView::OnOpenGroup(const UpdateHint& hint)
{
    if (hint.group == nullptr || hint.group->treeHandle == 0) return;
    TreeView_SelectItem(tree_, entryOf(*hint.group));
    TreeView_Expand(tree_, entryOf(*hint.group), TVE_EXPAND);
}

void CSTreeBookView::OnItemsAdded(const UpdateHint& hint)
{
    const auto isGroup = [](const BookmarkItem* item) { return item->isGroup(); };
    if (hint.group == nullptr || std::none_of(hint.items.begin(), hint.items.end(), isGroup)) return;
    // The new entries go right before the entry of the first shown item that
    // follows them, or last.
    HTREEITEM after = TVI_LAST;
    if (const BookmarkItem* next = firstShownFrom(*hint.group, hint.before)) {
        const HTREEITEM previous = TreeView_GetPrevSibling(tree_, entryOf(*next));
        after = previous != nullptr ? previous : TVI_FIRST;
    }
    const HTREEITEM parent = entryUnder(hint.group);
    {
        // With redrawing on, an entry put among others on show repaints
        // each entry after it, one by one.
        const ViewControls::RedrawFreeze freeze(tree_);
        for (BookmarkItem* item : hint.items) {
            if (!item->isGroup()) continue;
            const HTREEITEM entry = insertBranch(*item, parent, after);
            if (entry != nullptr) after = entry;
        }
    }
    UpdateWindow(tree_);
}

void CSTreeBookView::OnItemChanged(const UpdateHint& hint)
{
    if (hint.items.empty()) return;
    BookmarkItem& item = *hint.items.front();
    if (item.treeHandle != 0) {
        if (item.isGroup())
            showItem(entryOf(item), item);
        else
            deleteBranch(entryOf(item));
        return;
    }
    // The sender may name no group for a top-level item; its parent link is certain.
    if (!item.isGroup() || item.parent == nullptr) return;
    const BookmarkItem* previous = lastShownBefore(*item.parent, item);
    insertBranch(item, entryUnder(item.parent), previous != nullptr ? entryOf(*previous) : TVI_FIRST);
    UpdateWindow(tree_);
}

void CSTreeBookView::OnItemsRemoved(const UpdateHint& hint)
{
    for (const BookmarkItem* item : hint.items)
        if (item->treeHandle != 0) deleteBranch(entryOf(*item));
}

void CSTreeBookView::OnItemsSwapped(const UpdateHint& hint)
{
    if (hint.items.size() < 2) return;
    BookmarkItem& first = *hint.items[0];
    BookmarkItem& second = *hint.items[1];
    // Only groups have entries: a link changing places leaves the groups' order alone.
    if (first.treeHandle == 0 || second.treeHandle == 0 || first.parent == nullptr) return;
    if (canTradeEntries(first, second))
        tradeEntries(first, second);
    else
        sortSiblings(*first.parent, entryOf(first));
}

void CSTreeBookView::OnChildrenReordered(const UpdateHint& hint)
{
    if (hint.group == nullptr) return;
    for (const ItemRef& child : hint.group->children)
        if (child->treeHandle != 0) return sortSiblings(*hint.group, entryOf(*child));
}

bool CSTreeBookView::canTradeEntries(const BookmarkItem& first, const BookmarkItem& second) const
{
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    for (const BookmarkItem* item : {&first, &second})
        if (entryOf(*item) == selected || TreeView_GetChild(tree_, entryOf(*item)) != nullptr) return false;
    return true;
}

void CSTreeBookView::tradeEntries(BookmarkItem& first, BookmarkItem& second)
{
    const ViewControls::PaintHold hold(tree_);
    std::swap(first.treeHandle, second.treeHandle);
    showItem(entryOf(first), first);
    showItem(entryOf(second), second);
}

void CSTreeBookView::sortSiblings(const BookmarkItem& parent, HTREEITEM sibling)
{
    Places places;
    long place = 0;
    for (const ItemRef& child : parent.children) places[child.get()] = place++;
    const HTREEITEM parentEntry = TreeView_GetParent(tree_, sibling);
    TVSORTCB sort{parentEntry != nullptr ? parentEntry : TVI_ROOT, compareByPlace, reinterpret_cast<LPARAM>(&places)};
    SendMessageW(tree_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
}

void CSTreeBookView::OnReset()
{
    revokeDropTarget();
    // With no selection, deleting the entries moves no selection and so
    // opens no group of the tree that is going away.
    TreeView_SelectItem(tree_, nullptr);
    for (HTREEITEM entry = TreeView_GetRoot(tree_); entry != nullptr; entry = TreeView_GetNextSibling(tree_, entry))
        if (BookmarkItem* item = itemOf(entry)) forgetEntries(*item);
    TreeView_DeleteAllItems(tree_);
}

HTREEITEM CSTreeBookView::insertBranch(BookmarkItem& item, HTREEITEM parent, HTREEITEM after)
{
    const std::wstring text = CodePage::toWide(item.title);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item = entryFields(item, text);
    const auto entry =
        reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    item.treeHandle = reinterpret_cast<uintptr_t>(entry);
    if (entry != nullptr) insertSubGroups(item, entry);
    return entry;
}

void CSTreeBookView::insertSubGroups(BookmarkItem& group, HTREEITEM entry)
{
    for (const ItemRef& child : group.children)
        if (child->isGroup()) insertBranch(*child, entry, TVI_LAST);
}

void CSTreeBookView::deleteBranch(HTREEITEM entry)
{
    if (BookmarkItem* item = itemOf(entry)) forgetEntries(*item);
    TreeView_DeleteItem(tree_, entry);
}

void CSTreeBookView::forgetEntries(BookmarkItem& item)
{
    // The branch's entries show the item's group descendants, and only
    // those with an entry can have entries below them.
    item.treeHandle = 0;
    for (const ItemRef& child : item.children)
        if (child->treeHandle != 0) forgetEntries(*child);
}

void CSTreeBookView::showItem(HTREEITEM entry, const BookmarkItem& item)
{
    const std::wstring text = CodePage::toWide(item.title);
    TVITEMW fields = entryFields(item, text);
    fields.mask |= TVIF_HANDLE;
    fields.hItem = entry;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&fields));
}

BookmarkItem* CSTreeBookView::parentItemOf(HTREEITEM entry) const
{
    return itemOf(TreeView_GetParent(tree_, entry));
}

BookmarkItem* CSTreeBookView::selectedItem() const
{
    return itemOf(TreeView_GetSelection(tree_));
}

BookmarkItem* CSTreeBookView::itemOf(HTREEITEM entry) const
{
    if (entry == nullptr) return nullptr;
    TVITEMW fields{};
    fields.mask = TVIF_HANDLE | TVIF_PARAM;
    fields.hItem = entry;
    if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields))) return nullptr;
    return reinterpret_cast<BookmarkItem*>(fields.lParam);
}

// ------------------------------------------------------------------ drag and drop

namespace {

constexpr UINT_PTR HoverTimerId = 1;
constexpr UINT HoverInterval = 800;

}  // namespace

void CSTreeBookView::OnBeginDrag(const NMTREEVIEWW& drag)
{
    const HTREEITEM entry = drag.itemNew.hItem;
    BookmarkItem* item = itemOf(entry);
    // A top-level group stays where it is.
    if (item == nullptr || TreeView_GetParent(tree_, entry) == nullptr) return;
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    TreeView_SelectItem(tree_, nullptr);
    const DWORD effect = dragItems({item});
    if (selected != nullptr) TreeView_SelectItem(tree_, selected);
    if (effect == DROPEFFECT_MOVE) removeEntry(entry);
}

DWORD CSTreeBookView::OnDragEnter(IDataObject* data, DWORD keyState, POINT screen)
{
    scroller().reset();
    return OnDragOver(data, keyState, screen);
}

DWORD CSTreeBookView::OnDragOver(IDataObject* data, DWORD keyState, POINT screen)
{
    const DWORD effect = acceptedEffect(data, keyState);
    if (effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    const POINT client = clientPoint(screen);
    if (scroller().onDragOver(tree_, client)) {
        stopHoverTimer();
        return DROPEFFECT_NONE;
    }
    UINT hitFlags = 0;
    const HTREEITEM entry = entryAtPoint(client, hitFlags);
    followHover(entry, hitFlags);
    const bool moving = effect == DROPEFFECT_MOVE;
    if (entry == nullptr) {
        clearDropFeedback();
        const BookmarkItem* selected = selectedItem();
        return selected != nullptr && !(moving && selected->dragging) ? effect : DROPEFFECT_NONE;
    }
    const DropBand zone = bandOf(entry, client);
    if (zone != DropBand::Into) {
        const BookmarkItem* parent = parentItemOf(entry);
        if (!moving || parent == nullptr || !parent->dragging) {
            showInsertMark(entry, zone == DropBand::After);
            return effect;
        }
    } else if (!moving || !itemOf(entry)->dragging) {
        showDropHighlight(entry);
        return effect;
    }
    clearDropFeedback();
    return DROPEFFECT_NONE;
}

void CSTreeBookView::OnDragLeave()
{
    clearDropFeedback();
    stopHoverTimer();
    hoverEntry_ = nullptr;
    scroller().reset();
}

DWORD CSTreeBookView::OnDrop(IDataObject* data, DWORD keyState, POINT screen)
{
    const DWORD effect = acceptedEffect(data, keyState);
    const DropPlace place = placeFor(clientPoint(screen));
    OnDragLeave();
    if (place.group == nullptr) return effect;
    const std::vector<ItemRef> items = droppedItems(data);
    // Refused items stay where they came from: no move.
    return insertDropped(place, items) ? effect : DROPEFFECT_NONE;
}

HTREEITEM CSTreeBookView::entryAtPoint(POINT client, UINT& hitFlags) const
{
    TVHITTESTINFO hit{};
    hit.pt = client;
    const auto entry = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    hitFlags = hit.flags;
    const UINT onTheLine = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT;
    return (hit.flags & onTheLine) != 0 ? entry : nullptr;
}

DropBand CSTreeBookView::bandOf(HTREEITEM entry, POINT client) const
{
    // The first top-level entry takes every drop into itself; the other
    // top-level entries have no group around them to take a drop beside them.
    if (TreeView_GetParent(tree_, entry) == nullptr) return DropBand::Into;
    RECT bounds{};
    TreeView_GetItemRect(tree_, entry, &bounds, FALSE);
    return dropBandAt(bounds.top, bounds.bottom, client.y);
}

CSTreeBookView::DropPlace CSTreeBookView::placeFor(POINT client) const
{
    DropPlace place;
    UINT hitFlags = 0;
    const HTREEITEM entry = entryAtPoint(client, hitFlags);
    if (entry == nullptr) {
        place.group = selectedItem();
        return place;
    }
    switch (bandOf(entry, client)) {
    case DropBand::Into:
        place.group = itemOf(entry);
        place.useInserter = true;
        break;
    case DropBand::Before:
        place.group = parentItemOf(entry);
        place.before = itemOf(entry);
        break;
    case DropBand::After:
        place.group = parentItemOf(entry);
        // Before the next group: the drop lands after any links that follow.
        place.before = itemOf(TreeView_GetNextSibling(tree_, entry));
        break;
    }
    return place;
}

bool CSTreeBookView::insertDropped(const DropPlace& place, const std::vector<ItemRef>& items)
{
    BookEditor* const book = editor();
    if (book == nullptr) return false;
    return place.useInserter ? book->placeItems(*place.group, items, placementOptions())
                             : book->insertEach(*place.group, place.before, items);
}

void CSTreeBookView::showDropHighlight(HTREEITEM entry)
{
    removeInsertMark();
    if (dropHighlight_ == entry) return;
    // TVM_SELECTITEM with TVGN_DROPHILITE is unreliable on the selected
    // entry, so the state is set directly.
    if (dropHighlight_ != nullptr) TreeView_SetItemState(tree_, dropHighlight_, 0, TVIS_DROPHILITED);
    dropHighlight_ = entry;
    TreeView_SetItemState(tree_, entry, TVIS_DROPHILITED, TVIS_DROPHILITED);
}

void CSTreeBookView::showInsertMark(HTREEITEM entry, bool after)
{
    if (dropHighlight_ != nullptr) TreeView_SetItemState(tree_, dropHighlight_, 0, TVIS_DROPHILITED);
    dropHighlight_ = nullptr;
    TreeView_SetInsertMark(tree_, entry, after ? TRUE : FALSE);
    insertMark_ = entry;
}

void CSTreeBookView::clearDropFeedback()
{
    if (dropHighlight_ != nullptr) TreeView_SetItemState(tree_, dropHighlight_, 0, TVIS_DROPHILITED);
    dropHighlight_ = nullptr;
    removeInsertMark();
}

// Windows takes no entry for no mark; Wine's control refuses that and drops a
// mark only with its entry, so a stand-in entry takes the mark away with it.
void CSTreeBookView::removeInsertMark()
{
    if (insertMark_ == nullptr) return;
    insertMark_ = nullptr;
    if (TreeView_SetInsertMark(tree_, nullptr, FALSE)) return;
    TVINSERTSTRUCTW standIn{};
    standIn.hParent = TVI_ROOT;
    standIn.hInsertAfter = TVI_LAST;
    const HTREEITEM entry = TreeView_InsertItem(tree_, &standIn);
    if (entry == nullptr) return;  // deleting no entry would delete them all
    TreeView_SetInsertMark(tree_, entry, FALSE);
    TreeView_DeleteItem(tree_, entry);
}

void CSTreeBookView::followHover(HTREEITEM entry, UINT hitFlags)
{
    if (entry == nullptr || (hitFlags & TVHT_ONITEMBUTTON) == 0) {
        stopHoverTimer();
        return;
    }
    if (hoverTimer_ != 0 && hoverEntry_ == entry) return;
    stopHoverTimer();
    hoverEntry_ = entry;
    hoverTimer_ = SetTimer(GetHwnd(), HoverTimerId, HoverInterval, nullptr);
}

void CSTreeBookView::stopHoverTimer()
{
    if (hoverTimer_ != 0) KillTimer(GetHwnd(), HoverTimerId);
    hoverTimer_ = 0;
}

bool CSTreeBookView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_TIMER || wParam != HoverTimerId) return CBookView::OnMessage(message, wParam, lParam, result);
    onHoverTimer();
    result = 0;
    return true;
}

void CSTreeBookView::onHoverTimer()
{
    const bool waiting = hoverTimer_ != 0;
    stopHoverTimer();
    if (waiting && hoverEntry_ != nullptr) TreeView_Expand(tree_, hoverEntry_, TVE_EXPAND);
}
