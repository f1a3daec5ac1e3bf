#include "views/CBookView.h"

#include "framework/CDocument.h"
#include "framework/CFrameWindow.h"
#include "framework/CSplitter.h"
#include "app/AppOptions.h"
#include "framework/UiServices.h"
#include "model/BookDepth.h"
#include "model/CRavloDoc.h"
#include "res/resource.h"
#include "views/CItemEditDlg.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR KeySubclassId = 1;

}  // namespace

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
    if (paneControl() != nullptr) RemoveWindowSubclass(paneControl(), ControlProc, KeySubclassId);
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

void CBookView::watchControlKeys()
{
    SetWindowSubclass(paneControl(), ControlProc, KeySubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CBookView::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self)
{
    auto* view = reinterpret_cast<CBookView*>(self);
    try {
        const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (keyDown && view->OnControlKeyDown(static_cast<UINT>(wParam))) return 0;
        if (message == WM_CHAR && view->OnControlChar(static_cast<UINT>(wParam))) return 0;
    } catch (...) {
        CWindow::ReportCurrentException(control);
        return 0;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

bool CBookView::OnControlKeyDown(UINT)
{
    return false;
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
    if (document == nullptr || !document->admitsBelow(group, 1)) return {};
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

bool CBookView::admitsBelow(const BookmarkItem& group, const std::vector<ItemRef>& items) const
{
    const CRavloDoc* document = book();
    return document == nullptr || document->admitsBelow(group, subtreeLevels(items));
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
