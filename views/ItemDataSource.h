#pragma once
// The data object offered while items are dragged out of a view: memory
// blocks under their clipboard formats, handed out as copies so that every
// target may read them, as often as it likes.

#include "framework/ComObject.h"

#include <objidl.h>

#include <vector>

class ItemDataSource : public ComObject<IDataObject> {
public:
    // Offers `block` (movable global memory) under `format`; the source owns
    // the block from now on.
    void offer(CLIPFORMAT format, HGLOBAL block);

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

private:
    struct Offer {
        CLIPFORMAT format;
        HGLOBAL block;
    };

    ~ItemDataSource() override;
    // S_OK with the matching offer, or the error QueryGetData answers.
    HRESULT find(const FORMATETC* format, const Offer*& found) const;

    std::vector<Offer> offers_;
};
