#include "views/CBookView.h"

#include "model/UpdateHint.h"

void CBookView::OnSize(UINT, int cx, int cy)
{
    MoveWindow(paneControl(), 0, 0, cx, cy, TRUE);
}

void CBookView::OnSetFocus(HWND previous)
{
    CView::OnSetFocus(previous);
    SetFocus(paneControl());
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
    default:
        break;
    }
}
