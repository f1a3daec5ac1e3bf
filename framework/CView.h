#pragma once
// A view: a child window in a frame that shows a document. Commands sent to
// the frame reach the active view first, then its document.

#include "framework/CCmdTarget.h"
#include "framework/CObject.h"
#include "framework/CWindow.h"

class CDocument;
class CFrameWindow;

class CView : public CWindow, public CCmdTarget {
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return document_; }
    CFrameWindow* GetParentFrame() const { return frame_; }

    // Called for every new or opened document; the default updates the view.
    virtual void OnInitialUpdate();
    // The document changed; `sender` is the view that made the change (or
    // null), `hint` and `hintObject` say what changed. The default repaints.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);

protected:
    // Makes this the frame's active view. Views whose controls take the
    // focus call it when they do.
    void Activate();
    // Activates the view; derived views pass the focus on to their control
    // and call this first.
    void OnSetFocus(HWND previous) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Menus owned by the view (context menus) get the command routing of
    // this view, its document, the frame and the application.
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    friend class CFrameWindow;
    friend class CDocument;
    // Joins the document and creates the window as a child of `parent`.
    bool CreateInFrame(CFrameWindow& frame, CDocument* document, HWND parent, UINT id);
    void DetachDocument();

    CDocument* document_ = nullptr;
    CFrameWindow* frame_ = nullptr;
};
