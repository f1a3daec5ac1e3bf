#include "framework/CView.h"

#include "framework/CDocument.h"
#include "framework/CFrameWindow.h"

CView::~CView()
{
    DetachDocument();
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    if (GetHwnd() != nullptr) InvalidateRect(GetHwnd(), nullptr, TRUE);
}

bool CView::CreateInFrame(CFrameWindow& frame, CDocument* document, HWND parent, UINT id)
{
    frame_ = &frame;
    document_ = document;
    if (document_ != nullptr) document_->AddView(this);
    return CreateChild(parent, id, WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE);
}

void CView::DetachDocument()
{
    if (document_ != nullptr) document_->RemoveView(this);
    document_ = nullptr;
}

void CView::Activate()
{
    if (frame_ != nullptr) frame_->SetActiveView(this, false);
}

void CView::OnSetFocus(HWND)
{
    Activate();
}

bool CView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_MOUSEACTIVATE) {
        // A click on the view or on one of its controls.
        Activate();
        result = DefaultProc(message, wParam, lParam);
        return true;
    }
    if (message == WM_INITMENUPOPUP && HIWORD(lParam) == 0 && frame_ != nullptr) {
        frame_->UpdateMenuPopup(reinterpret_cast<HMENU>(wParam), this);
        return true;
    }
    return false;
}

bool CView::OnCommand(UINT id, UINT, HWND control)
{
    if (control != nullptr || frame_ == nullptr) return false;
    frame_->RouteCommand(id, this);
    return true;
}
