#include "framework/CSplitter.h"

#include "framework/CFrameWindow.h"
#include "framework/CView.h"
#include "framework/resource_fw.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

bool CSplitter::CreateStatic(CFrameWindow& frame)
{
    frame_ = &frame;
    return CreateChild(frame.GetHwnd(), IDW_PANE_FIRST, WS_VISIBLE | WS_CLIPCHILDREN);
}

CView* CSplitter::CreateView(int row, int column, std::unique_ptr<CView> view, SIZE initialSize)
{
    if (!IsValidPane(row, column) || frame_ == nullptr || columns_[column].view != nullptr) return nullptr;
    CView* created = frame_->CreateView(std::move(view), GetHwnd(), IDW_PANE_FIRST + static_cast<UINT>(column));
    if (created == nullptr) return nullptr;
    columns_[column].view = created;
    columns_[column].ideal = initialSize.cx;
    RecalcLayout();
    return created;
}

CView* CSplitter::GetPane(int row, int column) const
{
    return IsValidPane(row, column) ? columns_[column].view : nullptr;
}

void CSplitter::SetColumnInfo(int column, int ideal, int minimum)
{
    if (!IsValidPane(0, column)) return;
    columns_[column].ideal = std::max(0, ideal);
    columns_[column].minimum = std::max(0, minimum);
}

void CSplitter::GetColumnInfo(int column, int& current, int& minimum) const
{
    current = 0;
    minimum = 0;
    if (!IsValidPane(0, column)) return;
    minimum = columns_[column].minimum;
    if (const CView* view = columns_[column].view) {
        RECT rect;
        GetWindowRect(view->GetHwnd(), &rect);
        current = rect.right - rect.left;
    }
}

int CSplitter::FirstColumnWidth() const
{
    RECT client;
    GetClientRect(GetHwnd(), &client);
    return std::max(0, std::min<int>(columns_[0].ideal, client.right - BarWidth));
}

void CSplitter::RecalcLayout()
{
    if (GetHwnd() == nullptr) return;
    RECT client;
    GetClientRect(GetHwnd(), &client);
    const int first = FirstColumnWidth();
    const int secondLeft = first + BarWidth;
    if (const CView* view = columns_[0].view) MoveWindow(view->GetHwnd(), 0, 0, first, client.bottom, TRUE);
    if (const CView* view = columns_[1].view)
        MoveWindow(view->GetHwnd(), secondLeft, 0, std::max<int>(0, client.right - secondLeft), client.bottom, TRUE);
}

void CSplitter::OnSize(UINT, int, int)
{
    RecalcLayout();
}

bool CSplitter::IsOnBar(int x) const
{
    const int first = FirstColumnWidth();
    return x >= first && x < first + BarWidth;
}

void CSplitter::DragTo(int x)
{
    RECT client;
    GetClientRect(GetHwnd(), &client);
    const int lowest = columns_[0].minimum;
    const int highest = client.right - BarWidth - columns_[1].minimum;
    if (highest < lowest) return;
    columns_[0].ideal = std::clamp(x - dragOffset_, lowest, highest);
    RecalcLayout();
}

bool CSplitter::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    const int x = GET_X_LPARAM(lParam);
    switch (message) {
    case WM_SETCURSOR: {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(GetHwnd(), &cursor);
        if (LOWORD(lParam) != HTCLIENT || !IsOnBar(cursor.x)) return false;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        result = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN:
        if (!IsOnBar(x)) return false;
        dragging_ = true;
        dragOffset_ = x - FirstColumnWidth();
        SetCapture(GetHwnd());
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        if (!dragging_) return false;
        DragTo(x);
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (!dragging_) return false;
        DragTo(x);
        dragging_ = false;
        ReleaseCapture();
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return false;
    default:
        return false;
    }
}
