#include "views/CBookView.h"

#include "framework/CDocument.h"
#include "framework/CFrameWindow.h"
#include "framework/CSplitter.h"
#include "app/AppOptions.h"
#include "framework/UiServices.h"
#include "model/CRavloDoc.h"
#include "res/resource.h"
#include "views/CItemEditDlg.h"

#include <commctrl.h>

CBookView::CBookView() = default;

CBookView::~CBookView()
{
    revokeDropTarget();
}

void CBookView::OnSize(UINT, int cx, int cy)
{
    MoveWindow(paneControl(), 0, 0, cx, cy, TRUE);
}

void CBookView::OnSetFocus(HWND previous)
{
    CView::OnSetFocus(previous);
    SetFocus(paneControl());
}

void CBookView::OnDestroy()
{
    revokeDropTarget();
    stopWatchingControlKeys();
    CView::OnDestroy();
}

bool CBookView::showsChangesIn(const BookmarkItem*) const
{
    return true;
}

void CBookView::OnUpdate(CView*, LPARAM hint, CObject* hintObject)
{
    if (hint == HintReset) {
        OnReset();
        return;
    }
    const auto* details = dynamic_cast<const UpdateHint*>(hintObject);
    if (details == nullptr) return;
    if (hint == HintOpenGroup) {
        OnOpenGroup(*details);
        return;
    }
    if (!showsChangesIn(details->group)) return;
    switch (hint) {
    case HintItemsAdded:
        OnItemsAdded(*details);
        break;
    case HintItemChanged:
        OnItemChanged(*details);
        break;
    case HintItemsRemoved:
        OnItemsRemoved(*details);
        break;
    case HintItemsSwapped:
        OnItemsSwapped(*details);
        break;
    case HintChildrenReordered:
        OnChildrenReordered(*details);
        break;
    default:
        break;
    }
}

// A classic subclass: under Wine SetWindowSubclass finds its data through a
// window property on every message, a round trip to the server that costs a
// hundred times the message itself. The control's user data (free for the
// application in the common controls) names the view.
void CBookView::watchControlKeys()
{
    const HWND control = paneControl();
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CBookView::ControlProc)));
}

void CBookView::stopWatchingControlKeys()
{
    const HWND control = paneControl();
    if (control == nullptr || controlProc_ == nullptr) return;
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    controlProc_ = nullptr;
}

LRESULT CALLBACK CBookView::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = reinterpret_cast<CBookView*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    try {
        const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (keyDown && view->OnControlKeyDown(static_cast<UINT>(wParam))) return 0;
        if (message == WM_CHAR && view->OnControlChar(static_cast<UINT>(wParam))) return 0;
        return view->OnControlMessage(message, wParam, lParam);
    } catch (...) {
        CWindow::ReportCurrentException(control);
        return 0;
    }
}

bool CBookView::OnControlKeyDown(UINT)
{
    return false;
}

LRESULT CBookView::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return callControl(message, wParam, lParam);
}

LRESULT CBookView::callControl(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(controlProc_, paneControl(), message, wParam, lParam);
}

bool CBookView::OnControlChar(UINT)
{
    return false;
}

void CBookView::activateOtherPane()
{
    const auto* splitter = dynamic_cast<const CSplitter*>(CWindow::FromHandle(GetParent(GetHwnd())));
    CFrameWindow* frame = GetParentFrame();
    if (splitter == nullptr || frame == nullptr) return;
    CView* other = splitter->GetPane(0, splitter->GetPane(0, 0) == this ? 1 : 0);
    if (other != nullptr) frame->SetActiveView(other, true);
}

CRavloDoc* CBookView::book() const
{
    return dynamic_cast<CRavloDoc*>(GetDocument());
}

void CBookView::announceChange(UpdateHintKind kind, UpdateHint& hint)
{
    CDocument* document = GetDocument();
    if (document == nullptr) return;
    document->UpdateAllViews(nullptr, kind, &hint);
    document->SetModifiedFlag();
}

bool CBookView::confirmDeletion(const std::string& question) const
{
    return UiServices::Current().ShowMessage(GetHwnd(), question, "削除の確認", MB_OKCANCEL | MB_ICONQUESTION) ==
           IDOK;
}

bool CBookView::editItems(const std::vector<BookmarkItem*>& items, int focusMode, bool topLevel) const
{
    CItemEditDlg dialog;
    dialog.items = items;
    dialog.focusMode = focusMode;
    dialog.topLevel = topLevel;
    return dialog.DoModal(GetHwnd()) == IDOK;
}

bool CBookView::isCreateCommand(UINT id)
{
    return id == ID_ITEM_NEW_GROUP || id == ID_ITEM_NEW_URL || id == ID_ITEM_NEW_GROUP_URL ||
           id == ID_ITEM_NEW_SEPARATOR;
}

ItemRef CBookView::newItemFor(UINT id, const BookmarkItem& group) const
{
    CRavloDoc* document = book();
    if (document == nullptr || !document->editor().admitsBelow(group, 1)) return {};
    switch (id) {
    case ID_ITEM_NEW_GROUP:
        return document->newGroupItem();
    case ID_ITEM_NEW_URL:
        return document->newUrlItem();
    case ID_ITEM_NEW_GROUP_URL:
        return document->newUrlGroupItem();
    case ID_ITEM_NEW_SEPARATOR:
        return document->newSeparatorItem();
    default:
        return {};
    }
}

void CBookView::registerDropTarget()
{
    if (dropTarget_ != nullptr || paneControl() == nullptr) return;
    dropTarget_ = new DropTargetAdapter(*this);
    if (FAILED(RegisterDragDrop(paneControl(), dropTarget_))) {
        dropTarget_->detach();
        dropTarget_->Release();
        dropTarget_ = nullptr;
    }
}

void CBookView::revokeDropTarget()
{
    if (dropTarget_ == nullptr) return;
    if (paneControl() != nullptr) RevokeDragDrop(paneControl());
    dropTarget_->detach();
    dropTarget_->Release();
    dropTarget_ = nullptr;
}

DWORD CBookView::acceptedEffect(IDataObject* data, DWORD keyState) const
{
    const CRavloDoc* document = book();
    return document != nullptr ? document->dropEffectFor(data, keyState) : DROPEFFECT_NONE;
}

std::vector<ItemRef> CBookView::droppedItems(IDataObject* data) const
{
    CRavloDoc* document = book();
    return document != nullptr ? document->droppedItems(data) : std::vector<ItemRef>();
}

BookEditor* CBookView::editor() const
{
    CRavloDoc* document = book();
    return document != nullptr ? &document->editor() : nullptr;
}

DWORD CBookView::dragItems(const std::vector<BookmarkItem*>& items) const
{
    CRavloDoc* document = book();
    return document != nullptr && !items.empty() ? document->beginItemDrag(items) : DROPEFFECT_NONE;
}

const AppOptions& CBookView::placementOptions() const
{
    static const AppOptions defaults;
    const CRavloDoc* document = book();
    return document != nullptr && document->options() != nullptr ? *document->options() : defaults;
}

POINT CBookView::clientPoint(POINT screen) const
{
    ScreenToClient(paneControl(), &screen);
    return screen;
}
