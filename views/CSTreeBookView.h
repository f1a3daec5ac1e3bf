#pragma once
// The left pane: a tree of the book's groups (plain groups and URL-groups,
// nested as in the book; links and separators never appear). Selecting an
// entry makes the item list show that group. The tree follows every change
// of the book through the update hints; each shown item's treeHandle holds
// its entry, and only this view writes that field.
//
// The selected entry is what the user works on: its commands, keys and
// context menu create items in it, edit, rename, delete it or open its URL.
// Each such change is announced to every view, this one included, and the
// tree shows it only when the hint comes back.

#include "model/DropBand.h"
#include "views/CBookView.h"

#include <windows.h>

#include <commctrl.h>

class BookmarkItem;
class UpdateHint;

class CSTreeBookView : public CBookView {
public:
    CSTreeBookView();

    HWND treeControl() const { return tree_; }

    // Shows the groups of the document's new tree and selects the first
    // top-level entry, which opens that group in the list.
    void OnInitialUpdate() override;

    // The entry at `screen` (screen coordinates); null on empty space.
    HTREEITEM entryAt(POINT screen) const;
    // The right-click menu of `entry`; the caller destroys it.
    HMENU buildContextMenu(HTREEITEM entry) const;

    // Drops onto the tree: into a group, or between groups.
    DWORD OnDragEnter(IDataObject* data, DWORD keyState, POINT screen) override;
    DWORD OnDragOver(IDataObject* data, DWORD keyState, POINT screen) override;
    void OnDragLeave() override;
    DWORD OnDrop(IDataObject* data, DWORD keyState, POINT screen) override;

protected:
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    HWND paneControl() const override { return tree_; }
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    // The hover-expand timer.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnReset() override;
    void OnOpenGroup(const UpdateHint& hint) override;
    void OnItemsAdded(const UpdateHint& hint) override;
    void OnItemChanged(const UpdateHint& hint) override;
    void OnItemsRemoved(const UpdateHint& hint) override;
    void OnItemsSwapped(const UpdateHint& hint) override;
    void OnChildrenReordered(const UpdateHint& hint) override;

    // Every key still reaches the control afterwards.
    bool OnControlKeyDown(UINT key) override;
    // Swallows every character: typing must not jump to a matching entry.
    bool OnControlChar(UINT character) override;

private:
    struct DropPlace {
        BookmarkItem* group = nullptr;   // null: nowhere
        BookmarkItem* before = nullptr;  // null: at the end
        bool useInserter = false;        // into a group: the Edit options place each item
    };

    void OnSelectionChanged(const NMTREEVIEWW& change);
    void OnBeginDrag(const NMTREEVIEWW& drag);
    // Where a drop on an entry goes: before it, into it or after it.
    DropBand bandOf(HTREEITEM entry, POINT client) const;
    HTREEITEM entryAtPoint(POINT client, UINT& hitFlags) const;
    DropPlace placeFor(POINT client) const;
    // False when the items were refused.
    bool insertDropped(const DropPlace& place, const std::vector<ItemRef>& items);
    void showDropHighlight(HTREEITEM entry);
    void showInsertMark(HTREEITEM entry, bool after);
    void clearDropFeedback();
    void removeInsertMark();
    void followHover(HTREEITEM entry, UINT hitFlags);
    void stopHoverTimer();
    void onHoverTimer();
    void OnRightClick();
    void OnEndLabelEdit(const NMTVDISPINFOW& edit);

    // The command handlers; each does nothing without a selected entry.
    void createInSelected(UINT command);
    void editSelected(int focusMode);
    void browseSelected();
    void deleteSelected(bool confirm);
    void renameSelected();

    // Takes the item of `entry` out of its group, unless it is a top-level
    // group, which cannot go.
    void removeEntry(HTREEITEM entry);
    // The item of the entry above `entry`; null for a top-level entry.
    BookmarkItem* parentItemOf(HTREEITEM entry) const;
    BookmarkItem* selectedItem() const;

    // Inserts the entry of `item` under `parent` after `after`, then the
    // entries of its group descendants; returns the item's entry.
    HTREEITEM insertBranch(BookmarkItem& item, HTREEITEM parent, HTREEITEM after);
    void insertSubGroups(BookmarkItem& group, HTREEITEM entry);
    // Deletes `entry` with everything below it and clears the treeHandle of
    // the items they showed.
    void deleteBranch(HTREEITEM entry);
    // Clears the treeHandle of `item` and of every item below it. It walks
    // the book: under Wine every message naming an entry costs time in
    // proportion to the number of entries.
    void forgetEntries(BookmarkItem& item);
    // Two neighbouring entries exchange places by exchanging what they
    // show, whatever the number of their siblings; that holds only for
    // entries without sub-entries and without the selection.
    bool canTradeEntries(const BookmarkItem& first, const BookmarkItem& second) const;
    void tradeEntries(BookmarkItem& first, BookmarkItem& second);
    // Puts the entries under the parent of `sibling` in the order of
    // `parent`'s children: entries move with their branches and keep their
    // handles, expansion and selection. It costs a sort of all siblings.
    void sortSiblings(const BookmarkItem& parent, HTREEITEM sibling);
    void showItem(HTREEITEM entry, const BookmarkItem& item);
    BookmarkItem* itemOf(HTREEITEM entry) const;

    HWND tree_ = nullptr;
    HTREEITEM dropHighlight_ = nullptr;
    HTREEITEM insertMark_ = nullptr;
    HTREEITEM hoverEntry_ = nullptr;
    UINT_PTR hoverTimer_ = 0;  // 0 while no hover-expand wait runs
    HIMAGELIST images_ = nullptr;
};
