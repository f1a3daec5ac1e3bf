#pragma once
// The OLE drop target of a view's control. It keeps the dragged data object
// from drag enter to drag leave or drop and hands every call, with that
// object, to the view. Exceptions stop here: a failing view answers "none".

#include "framework/ComObject.h"

#include <oleidl.h>

// What a view does with a drag over its control. Points are in screen
// coordinates, as OLE gives them.
class DropTargetHandler {
public:
    virtual DWORD OnDragEnter(IDataObject* data, DWORD keyState, POINT screen) = 0;
    virtual DWORD OnDragOver(IDataObject* data, DWORD keyState, POINT screen) = 0;
    virtual void OnDragLeave() = 0;
    virtual DWORD OnDrop(IDataObject* data, DWORD keyState, POINT screen) = 0;

protected:
    ~DropTargetHandler() = default;
};

class ViewDropTarget : public ComObject<IDropTarget> {
public:
    explicit ViewDropTarget(DropTargetHandler& handler) : handler_(&handler) {}

    // The view is going away; later calls answer "none".
    void detach();

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    ~ViewDropTarget() override;
    void forgetData();
    // The view's answer narrowed to what the source allows.
    static DWORD allowed(DWORD answer, DWORD offered);

    DropTargetHandler* handler_;
    IDataObject* data_ = nullptr;
};
