#include "app/CDropWindow.h"

#include "app/AppOptions.h"
#include "app/MonitorWorkAreas.h"
#include "framework/CApplication.h"
#include "framework/CFrameWindow.h"
#include "framework/CWindow.h"
#include "framework/ResourceText.h"
#include "model/CRavloDoc.h"
#include "res/resource.h"

#include <vector>

namespace {

HICON loadIcon(UINT id)
{
    return LoadIconW(ResourceText::Instance(), MAKEINTRESOURCEW(id));
}

}  // namespace

CDropWindow::~CDropWindow()
{
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    revokeDropTarget();
}

bool CDropWindow::Create()
{
    CreateDialogParamW(ResourceText::Instance(), MAKEINTRESOURCEW(IDD_DROP_WINDOW), GetDesktopWindow(), DialogProc,
                       reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

INT_PTR CALLBACK CDropWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        reinterpret_cast<CDropWindow*>(lParam)->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<CDropWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        CWindow::ReportCurrentException(hwnd);
    }
    // A window that cannot set itself up would sit there doing nothing.
    if (message == WM_INITDIALOG) DestroyWindow(hwnd);
    return FALSE;
}

// A close request deletes this object: nothing may touch it afterwards.
INT_PTR CDropWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_NCDESTROY:
        OnNcDestroy();
        return FALSE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_NCHITTEST:
        return Answer(OnNcHitTest(lParam));
    case WM_NCLBUTTONDBLCLK:
        OnNcLButtonDblClk();
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CDropWindow::Answer(LRESULT result)
{
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

void CDropWindow::OnInitDialog()
{
    placeWindow();
    registerDropTarget();
}

bool CDropWindow::OnCommand(UINT id)
{
    // Enter must not end the window.
    return id == IDOK;
}

void CDropWindow::OnClose()
{
    owner_.closeDropWindow();
}

void CDropWindow::OnDestroy()
{
    recordPosition();
    revokeDropTarget();
    stopAnimation();
}

void CDropWindow::OnNcDestroy()
{
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
}

LRESULT CDropWindow::OnNcHitTest(LPARAM point)
{
    // Pressing anywhere on the window grabs it as if by a caption.
    const LRESULT hit = DefWindowProcW(hwnd_, WM_NCHITTEST, 0, point);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CDropWindow::OnNcLButtonDblClk()
{
    const CApplication* app = CApplication::Instance();
    const CFrameWindow* frame = app != nullptr ? app->GetMainWindow() : nullptr;
    if (frame != nullptr && frame->GetHwnd() != nullptr)
        SendMessageW(frame->GetHwnd(), WM_COMMAND, ID_WINDOW_RESTORE, 0);
}

// ------------------------------------------------------------------ placement

void CDropWindow::placeWindow()
{
    const AppOptions* options = owner_.options();
    if (options != nullptr && options->OpenPosition == 1 && options->UsePosition != 0)
        moveToSavedPosition(*options);
    else
        centreInWorkArea();
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CDropWindow::centreInWorkArea()
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int x = (work.left + work.right - (window.right - window.left)) / 2;
    const int y = (work.top + work.bottom - (window.bottom - window.top)) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window without caption and task-bar button that no screen shows any more
// (a monitor was removed) could never be found again: it comes back onto one.
void CDropWindow::moveToSavedPosition(const AppOptions& options)
{
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int64_t x = options.WindowPositionX;
    const int64_t y = options.WindowPositionY;
    const ScreenRect saved{x, y, x + (window.right - window.left), y + (window.bottom - window.top)};
    const ScreenRect placed = WindowPlacement::onScreen(saved, MonitorWorkAreas::list());
    SetWindowPos(hwnd_, nullptr, static_cast<int>(placed.left), static_cast<int>(placed.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDropWindow::recordPosition()
{
    AppOptions* options = owner_.options();
    if (options == nullptr) return;
    RECT window{};
    GetWindowRect(hwnd_, &window);
    options->UsePosition = 1;
    options->WindowPositionX = window.left;
    options->WindowPositionY = window.top;
    options->SaveOptions();
}

// ------------------------------------------------------------------ drag and drop

void CDropWindow::registerDropTarget()
{
    dropTarget_ = new DropTargetAdapter(*this);
    if (FAILED(RegisterDragDrop(hwnd_, dropTarget_))) revokeDropTarget();
}

void CDropWindow::revokeDropTarget()
{
    if (dropTarget_ == nullptr) return;
    if (hwnd_ != nullptr) RevokeDragDrop(hwnd_);
    dropTarget_->detach();
    dropTarget_->Release();
    dropTarget_ = nullptr;
}

DWORD CDropWindow::OnDragEnter(IDataObject* data, DWORD keyState, POINT)
{
    const BookmarkItem* group = owner_.currentGroup();
    dropEffect_ = group != nullptr && group->dragging != 0 ? DROPEFFECT_NONE : owner_.dropEffectFor(data, keyState);
    return dropEffect_;
}

DWORD CDropWindow::OnDragOver(IDataObject*, DWORD, POINT)
{
    return dropEffect_;
}

DWORD CDropWindow::OnDrop(IDataObject* data, DWORD, POINT)
{
    // What the drag was refused on entering is never taken.
    if (dropEffect_ == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    const std::vector<ItemRef> items = owner_.droppedItems(data);
    BookmarkItem* group = owner_.currentGroup();
    if (items.empty() || group == nullptr || !group->isGroup()) return DROPEFFECT_NONE;
    // Refused items stay where they came from: no move.
    if (!owner_.editor().appendItems(*group, items)) return DROPEFFECT_NONE;
    startAnimation();
    return dropEffect_;
}

// ------------------------------------------------------------------ animation

void CDropWindow::startAnimation()
{
    frame_ = 0;
    if (loadIcon(IDI_DROP_FRAME1) == nullptr) return;
    animationTimer_ = SetTimer(hwnd_, AnimationTimerId, AnimationInterval, nullptr);
    if (animationTimer_ != 0) showIcon(IDI_DROP_FRAME1);
}

void CDropWindow::OnTimer(UINT_PTR id)
{
    if (id != AnimationTimerId) return;
    ++frame_;
    if (frame_ != 1 || !showIcon(IDI_DROP_FRAME2)) stopAnimation();
}

void CDropWindow::stopAnimation()
{
    if (animationTimer_ != 0) {
        KillTimer(hwnd_, AnimationTimerId);
        animationTimer_ = 0;
    }
    showIcon(IDR_MAINFRAME);
}

bool CDropWindow::showIcon(UINT id)
{
    const HICON icon = loadIcon(id);
    if (icon == nullptr) return false;
    SendDlgItemMessageW(hwnd_, IDC_DROP_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return true;
}
