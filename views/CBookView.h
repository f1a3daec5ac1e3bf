#pragma once
// A pane that shows part of the open book in one common control that fills
// it, and keeps itself in step with the book through the document's hints:
// each kind of hint reaches its own handler. It also holds what both panes
// do alike: announcing their own changes, asking before deleting, the item
// dialog, new items, the keys of the control and moving to the other pane.

#include "framework/CView.h"
#include "model/BookmarkItem.h"
#include "model/UpdateHint.h"
#include "views/DragScroller.h"
#include "views/DropTargetAdapter.h"

#include <string>
#include <vector>

struct AppOptions;
class BookEditor;
class CRavloDoc;

class CBookView : public CView, public DropHandler {
public:
    CBookView();
    ~CBookView() override;

    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) final;

protected:
    // The control that fills the pane and takes its focus.
    virtual HWND paneControl() const = 0;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(HWND previous) override;
    void OnDestroy() override;

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
    virtual void OnChildrenReordered(const UpdateHint& hint) = 0;

    // Key-down (also with Alt) and character messages of the pane control
    // come here first: call once the control exists. True swallows the
    // message; otherwise the control handles it as usual.
    void watchControlKeys();
    void stopWatchingControlKeys();
    virtual bool OnControlKeyDown(UINT key);
    virtual bool OnControlChar(UINT character);
    // Every other message of the pane control; callControl lets the control
    // handle it.
    virtual LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callControl(UINT message, WPARAM wParam, LPARAM lParam) const;
    static bool isKeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }
    // Tab and F6 move to the other pane (with Shift: the previous one; there
    // are only two).
    bool isPaneSwitchKey(UINT key) const { return key == VK_TAB || key == VK_F6; }
    void activateOtherPane();

    CRavloDoc* book() const;
    // Tells every view (this one too) about a change this view made and
    // marks the book modified.
    void announceChange(UpdateHintKind kind, UpdateHint& hint);
    // "削除の確認" with OK and Cancel; true for OK.
    bool confirmDeletion(const std::string& question) const;
    // The item dialog on `items`; true when the user pressed OK.
    bool editItems(const std::vector<BookmarkItem*>& items, int focusMode, bool topLevel) const;
    // The new item for creation command `id` (group, URL, URL-group,
    // separator) in `group`; empty when cancelled, for another id, or when
    // `group` lies too deep to hold it (the user is told).
    ItemRef newItemFor(UINT id, const BookmarkItem& group) const;
    // The four creation commands.
    static bool isCreateCommand(UINT id);

    // Drag and drop. The pane control takes drops while registered.
    void registerDropTarget();
    void revokeDropTarget();
    // The effect the dragged data allows under the key state.
    DWORD acceptedEffect(IDataObject* data, DWORD keyState) const;
    // The items a drop brings; a bad record of our own format is reported
    // and brings nothing.
    std::vector<ItemRef> droppedItems(IDataObject* data) const;
    // The book's editing layer; null without a book.
    BookEditor* editor() const;
    // Drags `items` out; the effect the target chose.
    DWORD dragItems(const std::vector<BookmarkItem*>& items) const;
    // The options that place dropped items (defaults without a record).
    const AppOptions& placementOptions() const;
    // The pointer in the pane control's client coordinates.
    POINT clientPoint(POINT screen) const;
    DragScroller& scroller() { return scroller_; }

private:
    static constexpr UINT ScrollArmingInterval = 800;

    DragScroller scroller_{ScrollArmingInterval};
    DropTargetAdapter* dropTarget_ = nullptr;  // one reference held while registered
    WNDPROC controlProc_ = nullptr;            // the pane control's own procedure while watched

    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
};
