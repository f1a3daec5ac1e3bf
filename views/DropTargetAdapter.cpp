#include "views/DropTargetAdapter.h"

namespace {

POINT pointOf(POINTL point)
{
    return POINT{point.x, point.y};
}

}  // namespace

DropTargetAdapter::~DropTargetAdapter()
{
    forgetData();
}

void DropTargetAdapter::detach()
{
    handler_ = nullptr;
    forgetData();
}

void DropTargetAdapter::forgetData()
{
    if (data_ != nullptr) data_->Release();
    data_ = nullptr;
}

DWORD DropTargetAdapter::allowed(DWORD answer, DWORD offered)
{
    return (answer & offered) != 0 ? answer : DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE DropTargetAdapter::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr) return E_INVALIDARG;
    const DWORD offered = *effect;
    *effect = DROPEFFECT_NONE;
    forgetData();
    if (data == nullptr || handler_ == nullptr) return S_OK;
    data_ = data;
    data_->AddRef();
    try {
        *effect = allowed(handler_->OnDragEnter(data_, keyState, pointOf(point)), offered);
    } catch (...) {
        *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTargetAdapter::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr) return E_INVALIDARG;
    const DWORD offered = *effect;
    *effect = DROPEFFECT_NONE;
    if (data_ == nullptr || handler_ == nullptr) return S_OK;
    try {
        *effect = allowed(handler_->OnDragOver(data_, keyState, pointOf(point)), offered);
    } catch (...) {
        *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTargetAdapter::DragLeave()
{
    forgetData();
    if (handler_ == nullptr) return S_OK;
    try {
        handler_->OnDragLeave();
    } catch (...) {
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTargetAdapter::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr) return E_INVALIDARG;
    const DWORD offered = *effect;
    *effect = DROPEFFECT_NONE;
    forgetData();
    if (data == nullptr || handler_ == nullptr) return S_OK;
    try {
        *effect = allowed(handler_->OnDrop(data, keyState, pointOf(point)), offered);
    } catch (...) {
        *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}
