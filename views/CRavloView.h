#pragma once
// The right pane: a report list of every child of the current group, in the
// book's order, separators included (drawn as a line). The list holds no
// rows of its own (owner data): row i is child i of the current group, read
// when the list draws or asks for it, so a group of any size shows at once.
// Which group it shows is decided by HintOpenGroup; the other hints keep the
// row count in step with the book while they concern that group, and move
// the selection and focus with their items, since the list keeps those by
// row number. Its column widths come from the saved window information and
// go back there when the window is destroyed. Here the user opens, creates,
// edits, renames, deletes and reorders items.

#include "views/CBookView.h"
#include "model/ShownGroupView.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

class CCmdUI;
struct WindowInfo;

class CRavloView : public CBookView, public ShownGroupView {
public:
    CRavloView();
    ~CRavloView() override;

    HWND listControl() const { return list_; }
    BookmarkItem* shownGroup() const override { return group_; }

    // Nothing to show until the tree opens a group.
    void OnInitialUpdate() override {}

    // The popup for a right click: the "Create" entries on empty space (or
    // without a selection), else the entries for the selected rows; null
    // when there is nothing to offer. The caller destroys a built menu
    // (`built` true); the "Create" popup belongs to the view.
    HMENU contextMenuFor(int hitRow, bool& built) const;

    // Drops onto the list: between rows, or into a group row.
    DWORD OnDragEnter(IDataObject* data, DWORD keyState, POINT screen) override;
    DWORD OnDragOver(IDataObject* data, DWORD keyState, POINT screen) override;
    void OnDragLeave() override;
    DWORD OnDrop(IDataObject* data, DWORD keyState, POINT screen) override;

protected:
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    void OnNcDestroy() override;
    HWND paneControl() const override { return list_; }
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnControlKeyDown(UINT key) override;
    // Completes what an owner-data list cannot answer by itself, and lets it
    // select ranges without repainting row by row.
    LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Only the shown group's changes touch the rows.
    bool showsChangesIn(const BookmarkItem* group) const override;
    void OnReset() override;
    void OnOpenGroup(const UpdateHint& hint) override;
    void OnItemsAdded(const UpdateHint& hint) override;
    void OnItemChanged(const UpdateHint& hint) override;
    void OnItemsRemoved(const UpdateHint& hint) override;
    void OnItemsSwapped(const UpdateHint& hint) override;
    // The rows are made again in the new order.
    void OnChildrenReordered(const UpdateHint& hint) override { OnOpenGroup(hint); }

private:
    void addCommands();
    void enableWithSelection(CCmdUI& ui) const;

    // Commands and keys.
    void onCreateItem(UINT id);
    void onEdit(int focusMode);
    void onBrowse() const;
    void onOpen();
    void onParentGroup();
    void onRename();
    void onDelete(bool confirm);
    void onMoveDown();
    void onMoveUp();
    // Shows a group, or opens a link in the browser; separators do nothing.
    void openItem(BookmarkItem& item);
    void openGroup(BookmarkItem& group);
    // The selected rows as positions in the current group.
    std::vector<long> selectedPositions() const;
    // Shows the hint's group with its selection; the first selected row, -1 for none.
    int showGroup(const UpdateHint& hint);

    // Notifications of the list.
    void onBeginDrag();
    // The row under `client` and, for the middle band of a group row, that
    // the drop goes into it; -1 for the end of the list.
    int insertionRow(POINT client, bool& intoGroup) const;
    // The row under `client`, -1 when none or when the point is in the
    // upper or lower sixth of the row.
    int dropTargetRowAt(POINT client) const;
    RECT rowBounds(int row) const;
    void setDropHighlight(int row);
    // Deleting steps after the question: the rows go, then their items.
    void removeRows(const std::vector<int>& rows);
    void onGetDispInfo(NMLVDISPINFOW& request) const;
    // The row from the request's start whose title begins with (or, without
    // LVFI_PARTIAL, is) the text; -1 when none: the list's type-ahead search.
    int findRowByTitle(const NMLVFINDITEMW& request) const;
    void onDoubleClick(const NMITEMACTIVATE& click);
    void onRightClick(const NMITEMACTIVATE& click);
    bool onBeginLabelEdit(const NMLVDISPINFOW& edit) const;
    void onEndLabelEdit(const NMLVDISPINFOW& edit);
    HMENU buildSelectionMenu() const;

    std::vector<int> selectedRows() const;
    bool anyRowSelected() const;
    // Takes the selected and focused states from every row.
    void clearSelection();
    std::vector<BookmarkItem*> selectedItems() const;
    // The child shown in `row`; null for no row.
    BookmarkItem* itemAt(int row) const;

    // The saved window information; null without an options record.
    WindowInfo* windowInfo() const;
    void insertColumns();
    void saveColumnWidths() const;

    // Adds the rows of the added items and returns the first one's index.
    int insertRows(const UpdateHint& hint);
    // The rows of `items` in the current group, ascending, found in one pass.
    std::vector<int> rowsOf(const std::vector<BookmarkItem*>& items) const;

    LRESULT OnCustomDraw(const NMLVCUSTOMDRAW& draw) const;
    void drawSeparator(const NMCUSTOMDRAW& draw) const;

    // The row that shows `item`, -1 when none.
    int rowOf(const BookmarkItem* item) const;
    int rowCount() const;
    UINT rowState(int row) const;
    // Selected and focused states of `row`.
    void setRowState(int row, UINT state);
    // Makes the list `count` rows long. The rows from `from` on change what
    // they show: `newRow` gives the new row of each one (for a row that
    // leaves, the row its successor takes) and `leaves` says which go; their
    // selected and focused states move along.
    template <class NewRow, class Leaves>
    void renumberRows(int from, int count, NewRow newRow, Leaves leaves);
    void redrawRows(int first, int last) const;

    HWND list_ = nullptr;
    BookmarkItem* group_ = nullptr;
    HMENU contextMenu_ = nullptr;  // menu 132; its first popup is "Create"
    int dropHighlight_ = -1;       // the row shown as drop target
};
