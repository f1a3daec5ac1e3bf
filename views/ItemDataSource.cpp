#include "views/ItemDataSource.h"

#include <shlobj.h>

#include <cstring>

namespace {

// A new movable block with the same bytes; null when memory runs out.
HGLOBAL copyBlock(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) return nullptr;
    const void* from = GlobalLock(block);
    void* to = GlobalLock(copy);
    if (from != nullptr && to != nullptr) std::memcpy(to, from, size);
    if (to != nullptr) GlobalUnlock(copy);
    if (from != nullptr) GlobalUnlock(block);
    if (from == nullptr || to == nullptr) {
        GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

}  // namespace

ItemDataSource::~ItemDataSource()
{
    for (const Offer& offer : offers_) GlobalFree(offer.block);
}

void ItemDataSource::offer(CLIPFORMAT format, HGLOBAL block)
{
    try {
        offers_.push_back({format, block});
    } catch (...) {
        GlobalFree(block);
        throw;
    }
}

HRESULT ItemDataSource::find(const FORMATETC* format, const Offer*& found) const
{
    if (format == nullptr) return E_INVALIDARG;
    for (const Offer& offer : offers_) {
        if (offer.format != format->cfFormat) continue;
        if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (format->lindex != -1) return DV_E_LINDEX;
        if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
        found = &offer;
        return S_OK;
    }
    return DV_E_FORMATETC;
}

HRESULT ItemDataSource::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (medium == nullptr) return E_INVALIDARG;
    const Offer* offer = nullptr;
    const HRESULT result = find(format, offer);
    if (FAILED(result)) return result;
    const HGLOBAL copy = copyBlock(offer->block);
    if (copy == nullptr) return E_OUTOFMEMORY;
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    return S_OK;
}

HRESULT ItemDataSource::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT ItemDataSource::QueryGetData(FORMATETC* format)
{
    const Offer* offer = nullptr;
    return find(format, offer);
}

HRESULT ItemDataSource::GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical)
{
    if (format == nullptr || canonical == nullptr) return E_INVALIDARG;
    *canonical = *format;
    canonical->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT ItemDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT ItemDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats)
{
    if (formats == nullptr) return E_INVALIDARG;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    try {
        std::vector<FORMATETC> list;
        for (const Offer& offer : offers_)
            list.push_back({offer.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), formats);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ItemDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ItemDataSource::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ItemDataSource::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
