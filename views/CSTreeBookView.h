#pragma once
// The left pane: a tree of the book's groups (plain groups and URL-groups,
// nested as in the book; links and separators never appear). Selecting an
// entry makes the item list show that group. The tree follows every change
// of the book through the update hints; each shown item's treeHandle holds
// its entry, and only this view writes that field.

#include "framework/CView.h"

#include <windows.h>

#include <commctrl.h>

class BookmarkItem;
class UpdateHint;

class CSTreeBookView : public CView {
public:
    HWND treeControl() const { return tree_; }

    // Shows the groups of the document's new tree and selects the first
    // top-level entry, which opens that group in the list.
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

protected:
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(HWND previous) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    void OnSelectionChanged(const NMTREEVIEWW& change);

    void OnOpenGroup(const UpdateHint& hint);
    void OnItemsAdded(const UpdateHint& hint);
    void OnItemChanged(const UpdateHint& hint);
    void OnItemsRemoved(const UpdateHint& hint);
    void OnItemsSwapped(const UpdateHint& hint);
    void OnReset();

    // Inserts the entry of `item` under `parent` after `after`, then the
    // entries of its group descendants; returns the item's entry.
    HTREEITEM insertBranch(BookmarkItem& item, HTREEITEM parent, HTREEITEM after);
    void insertSubGroups(BookmarkItem& group, HTREEITEM entry);
    // Deletes `entry` with everything below it and clears the treeHandle of
    // the items they showed.
    void deleteBranch(HTREEITEM entry);
    // Clears the treeHandle of the items of `first`, its following siblings
    // and everything below them.
    void forgetEntries(HTREEITEM first);
    void showItem(HTREEITEM entry, const BookmarkItem& item);
    BookmarkItem* itemOf(HTREEITEM entry) const;

    HWND tree_ = nullptr;
    HIMAGELIST images_ = nullptr;
};
