#include "framework/CToolBar.h"

#include "framework/CFrameWindow.h"
#include "framework/ResourceText.h"
#include "framework/resource_fw.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace {

constexpr int gripperSize = 8;
constexpr int margin = 2;
constexpr int separatorSize = 6;

SIZE buttonSize(HWND control)
{
    const LRESULT size = SendMessageW(control, TB_GETBUTTONSIZE, 0, 0);
    return SIZE{LOWORD(size), HIWORD(size)};
}

// A tool bar resource is 16-bit words: version 1, image width and height,
// the number of buttons, then their commands (0 for a separator).
bool loadLayout(UINT resourceId, std::vector<UINT>& buttons, SIZE& imageSize)
{
    const HINSTANCE module = ResourceText::Instance();
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(241));
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* words = loaded != nullptr ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (words == nullptr) return false;
    const size_t available = SizeofResource(module, found) / sizeof(WORD);
    constexpr size_t header = 4;
    if (available < header || words[0] != 1 || available - header < words[3]) return false;
    imageSize = SIZE{words[1], words[2]};
    buttons.assign(words + header, words + header + words[3]);
    return true;
}

}  // namespace

CToolBar::~CToolBar()
{
    if (frame_ != nullptr && frame_->GetToolBar() == this) frame_->AttachToolBar(nullptr);
}

bool CToolBar::Create(CFrameWindow& frame, UINT resourceId)
{
    std::vector<UINT> buttons;
    SIZE imageSize{};
    return loadLayout(resourceId, buttons, imageSize) && Create(frame, resourceId, buttons, imageSize);
}

bool CToolBar::Create(CFrameWindow& frame, UINT bitmapId, const std::vector<UINT>& buttons, SIZE imageSize)
{
    frame_ = &frame;
    buttons_ = buttons;
    if (!CreateChild(frame.GetHwnd(), IDW_TOOLBAR, WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS)) return false;
    control_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                                   CCS_NOPARENTALIGN | CCS_NODIVIDER,
                               0, 0, 0, 0, GetHwnd(), nullptr, ResourceText::Instance(), nullptr);
    if (control_ == nullptr) return false;
    SendMessageW(control_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(control_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize.cx, imageSize.cy));
    const auto images = std::count_if(buttons_.begin(), buttons_.end(), [](UINT id) { return id != Separator; });
    TBADDBITMAP bitmap{ResourceText::Instance(), bitmapId};
    if (SendMessageW(control_, TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&bitmap)) == -1)
        return false;
    AddButtons();
    frame.AttachToolBar(this);
    frame.RecalcLayout();
    return true;
}

void CToolBar::AddButtons()
{
    std::vector<TBBUTTON> entries;
    int image = 0;
    const BYTE wrap = IsHorizontal() ? 0 : TBSTATE_WRAP;
    for (UINT id : buttons_) {
        TBBUTTON button{};
        button.idCommand = static_cast<int>(id);
        button.fsState = static_cast<BYTE>(TBSTATE_ENABLED | wrap);
        button.fsStyle = id == Separator ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = id == Separator ? separatorSize : image++;
        entries.push_back(button);
    }
    SendMessageW(control_, TB_ADDBUTTONSW, entries.size(), reinterpret_cast<LPARAM>(entries.data()));
}

void CToolBar::SetDockSide(DockSide side)
{
    const bool wasHorizontal = IsHorizontal();
    side_ = side;
    if (control_ == nullptr || wasHorizontal == IsHorizontal()) return;
    // Rebuilt rather than re-flagged: the wrap state is per button. The idle
    // update restores the enabled states.
    while (SendMessageW(control_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(control_, TB_DELETEBUTTON, 0, 0);
    LONG_PTR style = GetWindowLongPtrW(control_, GWL_STYLE);
    style = IsHorizontal() ? (style & ~static_cast<LONG_PTR>(CCS_VERT)) : (style | CCS_VERT);
    SetWindowLongPtrW(control_, GWL_STYLE, style);
    AddButtons();
}

void CToolBar::Place(RECT& area)
{
    const SIZE button = buttonSize(control_);
    const int thickness = (IsHorizontal() ? button.cy : button.cx) + 2 * margin;
    RECT strip = area;
    switch (side_) {
    case DockSide::Top:
        strip.bottom = std::min(area.bottom, area.top + thickness);
        area.top = strip.bottom;
        break;
    case DockSide::Bottom:
        strip.top = std::max(area.top, area.bottom - thickness);
        area.bottom = strip.top;
        break;
    case DockSide::Left:
        strip.right = std::min(area.right, area.left + thickness);
        area.left = strip.right;
        break;
    case DockSide::Right:
        strip.left = std::max(area.left, area.right - thickness);
        area.right = strip.left;
        break;
    }
    MoveWindow(GetHwnd(), strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, TRUE);
}

void CToolBar::OnSize(UINT, int cx, int cy)
{
    if (control_ == nullptr) return;
    if (IsHorizontal())
        MoveWindow(control_, gripperSize, margin, std::max(0, cx - gripperSize), std::max(0, cy - 2 * margin), TRUE);
    else
        MoveWindow(control_, margin, gripperSize, std::max(0, cx - 2 * margin), std::max(0, cy - gripperSize), TRUE);
    InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void CToolBar::UpdateButtons(const std::vector<CCmdTarget*>& chain)
{
    for (UINT id : buttons_) {
        if (id == Separator) continue;
        CCmdUI ui(id);
        CCmdTarget::RouteUpdate(chain, ui);
        SendMessageW(control_, TB_ENABLEBUTTON, id, MAKELPARAM(ui.IsEnabled() ? TRUE : FALSE, 0));
        if (const auto check = ui.GetCheck()) SendMessageW(control_, TB_CHECKBUTTON, id, MAKELPARAM(*check, 0));
    }
}

bool CToolBar::OnCommand(UINT id, UINT code, HWND control)
{
    if (control != control_ || frame_ == nullptr) return false;
    SendMessageW(frame_->GetHwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    return true;
}

bool CToolBar::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        tipText_ = ResourceText::ToolTip(static_cast<UINT>(header.idFrom));
        info.lpszText = tipText_.data();
        info.hinst = nullptr;
        result = 0;
        return true;
    }
    if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == control_ && frame_ != nullptr) {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if ((hot.dwFlags & HICF_LEAVING) != 0)
            frame_->ShowIdleMessage();
        else
            frame_->SetMessageText(ResourceText::Prompt(static_cast<UINT>(hot.idNew)));
        result = 0;
        return true;
    }
    return false;
}

RECT CToolBar::GripperRect() const
{
    RECT client;
    GetClientRect(GetHwnd(), &client);
    if (IsHorizontal())
        client.right = std::min(client.right, static_cast<LONG>(gripperSize));
    else
        client.bottom = std::min(client.bottom, static_cast<LONG>(gripperSize));
    return client;
}

bool CToolBar::IsOnGripper(POINT point) const
{
    const RECT gripper = GripperRect();
    return PtInRect(&gripper, point) != FALSE;
}

bool CToolBar::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        PaintGripperAndBorder();
        result = 0;
        return true;
    case WM_SETCURSOR: {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(GetHwnd(), &cursor);
        if (LOWORD(lParam) != HTCLIENT || !IsOnGripper(cursor)) return false;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
        result = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN:
        if (!IsOnGripper(point)) return false;
        dragging_ = true;
        SetCapture(GetHwnd());
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (!dragging_) return false;
        EndDrag(point);
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return false;
    default:
        return false;
    }
}

void CToolBar::EndDrag(POINT point)
{
    dragging_ = false;
    ReleaseCapture();
    if (frame_ == nullptr) return;
    MapWindowPoints(GetHwnd(), frame_->GetHwnd(), &point, 1);
    RECT area;
    GetClientRect(frame_->GetHwnd(), &area);
    const DockSide side = SideNearest(area, point);
    if (side != side_) frame_->DockToolBar(side);
}

DockSide CToolBar::SideNearest(const RECT& area, POINT point)
{
    const LONG distances[] = {point.y - area.top, area.bottom - point.y, point.x - area.left, area.right - point.x};
    const DockSide sides[] = {DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right};
    return sides[std::min_element(std::begin(distances), std::end(distances)) - std::begin(distances)];
}

// The etched line on the side toward the panes sets the bar apart from them.
UINT CToolBar::EdgeTowardPanes() const
{
    switch (side_) {
    case DockSide::Top:
        return BF_BOTTOM;
    case DockSide::Bottom:
        return BF_TOP;
    case DockSide::Left:
        return BF_RIGHT;
    case DockSide::Right:
        break;
    }
    return BF_LEFT;
}

void CToolBar::PaintGripperAndBorder()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(GetHwnd(), &paint);
    RECT line = GripperRect();
    // One raised line along the bar, like the gripper of other tool bars.
    if (IsHorizontal())
        line = RECT{2, line.top + 2, 5, line.bottom - 2};
    else
        line = RECT{line.left + 2, 2, line.right - 2, 5};
    DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
    RECT client;
    GetClientRect(GetHwnd(), &client);
    DrawEdge(dc, &client, EDGE_ETCHED, EdgeTowardPanes());
    EndPaint(GetHwnd(), &paint);
}
