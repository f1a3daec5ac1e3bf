#pragma once
// The frame's tool bar: a common-controls tool bar inside a dock window with
// a gripper. Dragging the gripper to a side of the frame docks the bar
// there (top, bottom, left or right). Buttons show the tool tip of their
// command's string and put its prompt into the status bar while hot.

#include "framework/CCmdTarget.h"
#include "framework/CWindow.h"
#include "framework/DockState.h"

#include <windows.h>

#include <string>
#include <vector>

class CFrameWindow;

class CToolBar : public CWindow {
public:
    static constexpr UINT Separator = 0;

    CToolBar() = default;
    ~CToolBar() override;

    // Makes the bar in `frame`, docked at the top. `bitmapId` holds one
    // image of `imageSize` per button in order; `buttons` are command ids,
    // Separator for a gap.
    bool Create(CFrameWindow& frame, UINT bitmapId, const std::vector<UINT>& buttons, SIZE imageSize = {16, 15});
    // The same with the buttons and image size of the tool bar resource
    // (type 241) and the bitmap of that id.
    bool Create(CFrameWindow& frame, UINT resourceId);

    HWND GetControl() const { return control_; }
    DockSide GetDockSide() const { return side_; }
    // Lays the buttons out in a row or a column for `side`; the frame's
    // layout then places the bar.
    void SetDockSide(DockSide side);
    // Takes the bar's strip from the side of `area` it is docked on.
    void Place(RECT& area);
    void UpdateButtons(const std::vector<CCmdTarget*>& chain);

    // The side of `area` closest to `point`.
    static DockSide SideNearest(const RECT& area, POINT point);

protected:
    void OnSize(UINT type, int cx, int cy) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool IsHorizontal() const { return side_ == DockSide::Top || side_ == DockSide::Bottom; }
    RECT GripperRect() const;
    bool IsOnGripper(POINT point) const;
    void AddButtons();
    void PaintGripperAndBorder();
    UINT EdgeTowardPanes() const;
    void EndDrag(POINT point);

    CFrameWindow* frame_ = nullptr;
    HWND control_ = nullptr;
    std::vector<UINT> buttons_;
    DockSide side_ = DockSide::Top;
    bool dragging_ = false;
    std::wstring tipText_;
};
