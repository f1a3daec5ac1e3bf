#include "views/CSTreeBookView.h"

#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "views/ViewControls.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_map>

namespace {

using Places = std::unordered_map<const BookmarkItem*, long>;

// Images 0..5 are group, open group, URL, selected URL, URL-group, open URL-group.
int imageOf(ItemType type)
{
    switch (type) {
    case ItemType::Url:
        return 2;
    case ItemType::GroupUrl:
        return 4;
    default:
        return 0;
    }
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

}  // namespace

bool CSTreeBookView::OnCreate(CREATESTRUCTW&)
{
    tree_ = ViewControls::createControl(GetHwnd(), WC_TREEVIEWW,
                                        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS,
                                        ICC_TREEVIEW_CLASSES);
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
    const HTREEITEM first = TreeView_GetRoot(tree_);
    if (first == nullptr) return;
    TreeView_SelectItem(tree_, first);
    TreeView_Expand(tree_, first, TVE_EXPAND);
}

bool CSTreeBookView::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != tree_ || header.code != TVN_SELCHANGEDW) return false;
    OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW&>(header));
    result = 0;
    return true;
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

void CSTreeBookView::OnOpenGroup(const UpdateHint& hint)
{
    if (hint.group == nullptr || hint.group->treeHandle == 0) return;
    TreeView_SelectItem(tree_, entryOf(*hint.group));
    TreeView_Expand(tree_, entryOf(*hint.group), TVE_EXPAND);
}

void CSTreeBookView::OnItemsAdded(const UpdateHint& hint)
{
    if (hint.group == nullptr) return;
    // The new entries go right before the entry of the first shown item that
    // follows them, or last.
    HTREEITEM after = TVI_LAST;
    if (const BookmarkItem* next = firstShownFrom(*hint.group, hint.before)) {
        const HTREEITEM previous = TreeView_GetPrevSibling(tree_, entryOf(*next));
        after = previous != nullptr ? previous : TVI_FIRST;
    }
    const HTREEITEM parent = entryUnder(hint.group);
    bool inserted = false;
    for (BookmarkItem* item : hint.items) {
        if (!item->isGroup()) continue;
        const HTREEITEM entry = insertBranch(*item, parent, after);
        if (entry == nullptr) continue;
        after = entry;
        inserted = true;
    }
    if (inserted) UpdateWindow(tree_);
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
    const BookmarkItem& first = *hint.items[0];
    const BookmarkItem& second = *hint.items[1];
    // Only groups have entries: a link changing places leaves the groups' order alone.
    if (first.treeHandle == 0 || second.treeHandle == 0 || first.parent == nullptr) return;
    // Sorting moves the two entries with everything below them and keeps
    // their handles, expansion and selection.
    Places places;
    long place = 0;
    for (const ItemRef& child : first.parent->children) places[child.get()] = place++;
    const HTREEITEM parentEntry = TreeView_GetParent(tree_, entryOf(first));
    TVSORTCB sort{parentEntry != nullptr ? parentEntry : TVI_ROOT, compareByPlace, reinterpret_cast<LPARAM>(&places)};
    SendMessageW(tree_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
}

void CSTreeBookView::OnReset()
{
    // With no selection, deleting the entries moves no selection and so
    // opens no group of the tree that is going away.
    TreeView_SelectItem(tree_, nullptr);
    forgetEntries(TreeView_GetRoot(tree_));
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
    if (BookmarkItem* item = itemOf(entry)) item->treeHandle = 0;
    forgetEntries(TreeView_GetChild(tree_, entry));
    TreeView_DeleteItem(tree_, entry);
}

void CSTreeBookView::forgetEntries(HTREEITEM first)
{
    for (HTREEITEM entry = first; entry != nullptr; entry = TreeView_GetNextSibling(tree_, entry)) {
        if (BookmarkItem* item = itemOf(entry)) item->treeHandle = 0;
        forgetEntries(TreeView_GetChild(tree_, entry));
    }
}

void CSTreeBookView::showItem(HTREEITEM entry, const BookmarkItem& item)
{
    const std::wstring text = CodePage::toWide(item.title);
    TVITEMW fields = entryFields(item, text);
    fields.mask |= TVIF_HANDLE;
    fields.hItem = entry;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&fields));
}

BookmarkItem* CSTreeBookView::itemOf(HTREEITEM entry) const
{
    TVITEMW fields{};
    fields.mask = TVIF_HANDLE | TVIF_PARAM;
    fields.hItem = entry;
    if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields))) return nullptr;
    return reinterpret_cast<BookmarkItem*>(fields.lParam);
}
