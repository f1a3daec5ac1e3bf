#pragma once
// The right pane: a report list of every child of the current group, in the
// book's order, separators included (drawn as a line). Which group it shows
// is decided by HintOpenGroup; the other hints keep the rows in step with
// the book while they concern that group. Its column widths come from the
// saved window information and go back there when the window is destroyed.

#include "views/CBookView.h"
#include "model/ShownGroupView.h"

#include <windows.h>

#include <commctrl.h>

class BookmarkItem;
class UpdateHint;
struct WindowInfo;

class CRavloView : public CBookView, public ShownGroupView {
public:
    HWND listControl() const { return list_; }
    BookmarkItem* shownGroup() const override { return group_; }

    // Nothing to show until the tree opens a group.
    void OnInitialUpdate() override {}

protected:
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    void OnNcDestroy() override;
    HWND paneControl() const override { return list_; }
    bool OnNotify(NMHDR& header, LRESULT& result) override;

    // Only the shown group's changes touch the rows.
    bool showsChangesIn(const BookmarkItem* group) const override;
    void OnReset() override;
    void OnOpenGroup(const UpdateHint& hint) override;
    void OnItemsAdded(const UpdateHint& hint) override;
    void OnItemChanged(const UpdateHint& hint) override;
    void OnItemsRemoved(const UpdateHint& hint) override;
    void OnItemsSwapped(const UpdateHint& hint) override;

private:
    // The saved window information; null without an options record.
    WindowInfo* windowInfo() const;
    void insertColumns();
    void saveColumnWidths() const;

    // Inserts the rows of the added items and returns the first one's index.
    int insertRows(const UpdateHint& hint);

    LRESULT OnCustomDraw(const NMLVCUSTOMDRAW& draw) const;
    void drawSeparator(const NMCUSTOMDRAW& draw) const;

    void insertRow(int row, BookmarkItem& item);
    // Shows `item` in `row`: image, data and the four columns.
    void showItem(int row, BookmarkItem& item);
    // Columns 1 to 3 of `row`.
    void showColumns(int row, const BookmarkItem& item);
    // The row whose data is `item`, -1 when none.
    int rowOf(const BookmarkItem* item) const;
    int rowCount() const;
    UINT rowState(int row) const;
    // Selected and focused states of `row` (-1: of every row).
    void setRowState(int row, UINT state);

    HWND list_ = nullptr;
    BookmarkItem* group_ = nullptr;
};
