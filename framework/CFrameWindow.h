#pragma once
// The frame window of the single-document interface: menu, accelerators and
// icon from one resource id, the client (one view, or a splitter with
// views), a tool bar and a status bar. It routes commands to the active view,
// its document, itself and the application, and keeps menu items and tool-bar
// buttons enabled exactly when someone handles their command. Its title is
// "document - application".

#include "framework/CCmdTarget.h"
#include "framework/CWindow.h"
#include "framework/DockState.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDocTemplate;
class CDocument;
class CStatusBar;
class CToolBar;
class CView;

struct CCreateContext {
    CDocument* document = nullptr;
    CDocTemplate* docTemplate = nullptr;
};

class CFrameWindow : public CWindow, public CCmdTarget {
public:
    CFrameWindow();
    ~CFrameWindow() override;

    // Creates the frame and its client; false when any of it fails.
    bool LoadFrame(UINT resourceId, CCreateContext& context);

    // A view owned by this frame, created as a child of `parent` (the frame
    // or a splitter) and joined to the frame's document. Null on failure.
    CView* CreateView(std::unique_ptr<CView> view, HWND parent, UINT id);
    CView* GetActiveView() const;
    void SetActiveView(CView* view, bool takeFocus = true);
    CDocument* GetActiveDocument() const;
    // After a new or open: initial update of the views, title, and the first
    // show (in the application's initial show state for the main window).
    void InitialUpdateFrame(CDocument* document, bool makeVisible);
    virtual void OnUpdateFrameTitle();

    // The command targets for a command from `view` (null: the active view):
    // the view, its document, this frame, the application.
    virtual std::vector<CCmdTarget*> GetCommandChain(CView* view);
    // Runs the command unless it is disabled; true when a handler ran.
    bool RouteCommand(UINT id, CView* view = nullptr);
    // True when the update handlers on the way of the command enable it.
    bool IsCommandEnabled(UINT id, CView* view = nullptr);
    // Enables, disables and checks the items of a menu about to open.
    void UpdateMenuPopup(HMENU popup, CView* view = nullptr);
    // Tool-bar buttons and status-bar indicators, when the message queue is empty.
    virtual void OnIdleUpdateCmdUI();
    // The frame's accelerators; true when `msg` was one. In an edit control
    // a key whose command cannot run now stays the edit's own (Ctrl+V pastes
    // into an in-place rename although the frame has a paste key).
    bool PreTranslateMessage(MSG& msg);

    CToolBar* GetToolBar() const { return toolBar_; }
    CStatusBar* GetStatusBar() const { return statusBar_; }
    // `barId` is IDW_TOOLBAR or IDW_STATUS_BAR.
    void ShowControlBar(UINT barId, bool show);
    bool IsControlBarVisible(UINT barId) const;
    void DockToolBar(DockSide side);
    DockState GetDockState() const;
    // False, changing nothing, when the state names bars this frame lacks,
    // names one twice or puts the status bar elsewhere than at the bottom.
    bool SetDockState(const DockState& state);
    std::vector<uint8_t> SaveBarState() const;
    bool LoadBarState(const std::vector<uint8_t>& bytes);
    void RecalcLayout();

    // The status bar's message pane.
    void SetMessageText(const std::wstring& text);
    void ShowIdleMessage();

protected:
    // Last chance to change the creation parameters; false cancels.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);
    // Creates the client; the default makes the template's view.
    virtual bool OnCreateClient(CREATESTRUCTW& cs, CCreateContext& context);
    // Creates the client. Derived frames call this first, then make their bars.
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    // Asks to save changes, then closes the document and the frame.
    void OnClose() override;
    void OnSetFocus(HWND previous) override;
    void OnNcDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The command the accelerator table gives the key message; 0 for none.
    UINT AcceleratorCommand(const MSG& msg) const;
    friend class CToolBar;
    friend class CStatusBar;
    void AttachToolBar(CToolBar* bar) { toolBar_ = bar; }
    void AttachStatusBar(CStatusBar* bar) { statusBar_ = bar; }
    HWND BarWindow(UINT barId) const;
    bool IsToolBarWindow(HWND hwnd) const;
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void ToggleBar(UINT barId);
    void UpdateBarCommand(CCmdUI& ui) const;

    CCreateContext* creating_ = nullptr;
    CDocument* document_ = nullptr;
    std::vector<std::unique_ptr<CView>> views_;
    CView* activeView_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::wstring appTitle_;
    CToolBar* toolBar_ = nullptr;
    CStatusBar* statusBar_ = nullptr;
};
