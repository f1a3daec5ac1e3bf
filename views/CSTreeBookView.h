#pragma once
// The left pane: a tree of the book's groups (plain groups and URL-groups,
// nested as in the book; links and separators never appear). Selecting an
// entry makes the item list show that group. The tree follows every change
// of the book through the update hints; each shown item's treeHandle holds
// its entry, and only this view writes that field.

#include "views/CBookView.h"

#include <windows.h>

#include <commctrl.h>

class BookmarkItem;
class UpdateHint;

class CSTreeBookView : public CBookView {
public:
    HWND treeControl() const { return tree_; }

    // Shows the groups of the document's new tree and selects the first
    // top-level entry, which opens that group in the list.
    void OnInitialUpdate() override;

protected:
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    HWND paneControl() const override { return tree_; }
    bool OnNotify(NMHDR& header, LRESULT& result) override;

    void OnReset() override;
    void OnOpenGroup(const UpdateHint& hint) override;
    void OnItemsAdded(const UpdateHint& hint) override;
    void OnItemChanged(const UpdateHint& hint) override;
    void OnItemsRemoved(const UpdateHint& hint) override;
    void OnItemsSwapped(const UpdateHint& hint) override;

private:
    void OnSelectionChanged(const NMTREEVIEWW& change);

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
