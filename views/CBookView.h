#pragma once
// A pane that shows part of the open book in one common control that fills
// it, and keeps itself in step with the book through the document's hints:
// each kind of hint reaches its own handler.

#include "framework/CView.h"

class BookmarkItem;
class UpdateHint;

class CBookView : public CView {
public:
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) final;

protected:
    // The control that fills the pane and takes its focus.
    virtual HWND paneControl() const = 0;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(HWND previous) override;

    // Whether a change inside `group` concerns this view; OpenGroup and
    // Reset always do.
    virtual bool showsChangesIn(const BookmarkItem* group) const;

    // The tree is being replaced: forget every item pointer.
    virtual void OnReset() = 0;
    virtual void OnOpenGroup(const UpdateHint& hint) = 0;
    virtual void OnItemsAdded(const UpdateHint& hint) = 0;
    virtual void OnItemChanged(const UpdateHint& hint) = 0;
    virtual void OnItemsRemoved(const UpdateHint& hint) = 0;
    virtual void OnItemsSwapped(const UpdateHint& hint) = 0;
};
