#pragma once
// An OLE drop target for one of the program's windows. It keeps the dragged
// data object from drag enter to drag leave or drop and hands every call,
// with that object, to the window's DropHandler. Exceptions stop here: a
// failing handler answers "none".

#include "framework/ComObject.h"

#include <oleidl.h>

// What a window does with a drag over it. Points are in screen
// coordinates, as OLE gives them. By default nothing is taken; drag enter
// answers what drag over answers.
class DropHandler {
public:
    virtual ~DropHandler() = default;
    virtual void OnDragLeave() {}
    virtual DWORD OnDragEnter(IDataObject* data, DWORD keyState, POINT screen)
    {
        return OnDragOver(data, keyState, screen);
    }
    virtual DWORD OnDragOver(IDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }
    virtual DWORD OnDrop(IDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }
};

class DropTargetAdapter : public ComObject<IDropTarget> {
public:
    explicit DropTargetAdapter(DropHandler& handler) : handler_(&handler) {}

    // The window is going away; later calls answer "none".
    void detach();

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    ~DropTargetAdapter() override;
    void forgetData();
    // The view's answer narrowed to what the source allows.
    static DWORD allowed(DWORD answer, DWORD offered);

    DropHandler* handler_;
    IDataObject* data_ = nullptr;
};
