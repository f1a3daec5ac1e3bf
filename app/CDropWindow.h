#pragma once
// A tiny always-on-top window showing the program's icon. Links and items
// dropped on it go to the end of the group the item list shows, even while
// the main window is minimised or hidden in the notification area; a short
// icon animation confirms each drop. Dragging anywhere on it moves it, and a
// double click brings the main window back. The document creates, owns and
// destroys it; a close request (Alt+F4) asks the document to do so.

#include "views/DropTargetAdapter.h"

#include <windows.h>

class CRavloDoc;
struct AppOptions;

class CDropWindow final : public DropHandler {
public:
    static constexpr UINT_PTR AnimationTimerId = 1;
    static constexpr UINT AnimationInterval = 200;  // milliseconds per frame

    explicit CDropWindow(CRavloDoc& owner) : owner_(owner) {}
    // Destroys the window, which records its position.
    ~CDropWindow() override;
    CDropWindow(const CDropWindow&) = delete;
    CDropWindow& operator=(const CDropWindow&) = delete;

    // Opens the window as a top-level window of the desktop, so that it
    // stays while the main window is minimised or hidden; false on failure.
    bool Create();
    HWND GetHwnd() const { return hwnd_; }
    bool isAnimating() const { return animationTimer_ != 0; }

    // The effect is decided once, when the drag enters: pressing or
    // releasing Ctrl later does not change it.
    DWORD OnDragEnter(IDataObject* data, DWORD keyState, POINT screen) override;
    DWORD OnDragOver(IDataObject* data, DWORD keyState, POINT screen) override;
    DWORD OnDrop(IDataObject* data, DWORD keyState, POINT screen) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Answer(LRESULT result);

    void OnInitDialog();
    bool OnCommand(UINT id);
    void OnClose();
    void OnDestroy();
    void OnNcDestroy();
    void OnTimer(UINT_PTR id);
    LRESULT OnNcHitTest(LPARAM point);
    void OnNcLButtonDblClk();

    void placeWindow();
    void centreInWorkArea();
    void moveToSavedPosition(const AppOptions& options);
    void recordPosition();
    void registerDropTarget();
    void revokeDropTarget();
    void startAnimation();
    void stopAnimation();
    // False when the icon is missing.
    bool showIcon(UINT id);

    CRavloDoc& owner_;
    HWND hwnd_ = nullptr;
    int frame_ = 0;
    UINT_PTR animationTimer_ = 0;
    DWORD dropEffect_ = DROPEFFECT_NONE;
    DropTargetAdapter* dropTarget_ = nullptr;  // one reference held while registered
};
