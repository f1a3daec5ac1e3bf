#pragma once
// A static splitter of one row and two columns: two views side by side with
// a bar between them that the user drags to share the width.

#include "framework/CWindow.h"

#include <windows.h>

#include <memory>

class CFrameWindow;
class CView;

class CSplitter : public CWindow {
public:
    static constexpr int Columns = 2;
    static constexpr int BarWidth = 6;

    // Creates the splitter as the frame's client (its first pane).
    bool CreateStatic(CFrameWindow& frame);
    // Creates the view of pane (row, column); the frame owns it. The initial
    // width becomes the column's ideal width. Null on failure.
    CView* CreateView(int row, int column, std::unique_ptr<CView> view, SIZE initialSize);
    CView* GetPane(int row, int column) const;

    // The first column gets its ideal width (as far as the window allows),
    // the second one the rest.
    void SetColumnInfo(int column, int ideal, int minimum);
    void GetColumnInfo(int column, int& current, int& minimum) const;
    void RecalcLayout();

protected:
    void OnSize(UINT type, int cx, int cy) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct Column {
        int ideal = 0;
        int minimum = 0;
        CView* view = nullptr;
    };
    static bool IsValidPane(int row, int column) { return row == 0 && column >= 0 && column < Columns; }
    int FirstColumnWidth() const;
    bool IsOnBar(int x) const;
    void DragTo(int x);

    CFrameWindow* frame_ = nullptr;
    Column columns_[Columns];
    bool dragging_ = false;
    int dragOffset_ = 0;
};
