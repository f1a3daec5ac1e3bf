#pragma once
// A data object for drop tests: offers chosen bytes under chosen formats (and
// file indexes), as memory blocks or streams. Every medium it hands out
// holds a reference to it until released, so a test can see that the
// reader released them all.

#include "framework/ComObject.h"
#include "framework/ComRef.h"

#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace dndtest {

class TestDataObject : public ComObject<IDataObject> {
public:
    static ComRef<TestDataObject> make() { return ComRef<TestDataObject>(new TestDataObject); }

    void offer(CLIPFORMAT format, const std::string& bytes, LONG index = -1)
    {
        offers_.push_back({format, index, TYMED_HGLOBAL, bytes});
    }
    void offerStream(CLIPFORMAT format, const std::string& bytes, LONG index = -1)
    {
        offers_.push_back({format, index, TYMED_ISTREAM, bytes});
    }
    // References held by others than the test's own pointer.
    ULONG foreignReferences()
    {
        AddRef();
        return Release() - 1;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        const Offer* offer = find(format);
        if (offer == nullptr) return DV_E_FORMATETC;
        *medium = STGMEDIUM{};
        medium->tymed = offer->medium;
        if (offer->medium == TYMED_ISTREAM) {
            medium->pstm = SHCreateMemStream(reinterpret_cast<const BYTE*>(offer->bytes.data()),
                                             static_cast<UINT>(offer->bytes.size()));
        } else {
            medium->hGlobal = GlobalAlloc(GMEM_MOVEABLE, offer->bytes.size());
            if (void* copy = GlobalLock(medium->hGlobal)) {
                std::memcpy(copy, offer->bytes.data(), offer->bytes.size());
                GlobalUnlock(medium->hGlobal);
            }
            blocks_.push_back(medium->hGlobal);
        }
        medium->pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return find(format) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Offer {
        CLIPFORMAT format;
        LONG index;
        DWORD medium;
        std::string bytes;
    };

    ~TestDataObject() override
    {
        // Blocks go with their medium's reference to us, so they are freed here.
        for (HGLOBAL block : blocks_) GlobalFree(block);
    }
    const Offer* find(const FORMATETC* format) const
    {
        for (const Offer& offer : offers_) {
            if (offer.format == format->cfFormat && offer.index == format->lindex &&
                (format->tymed & offer.medium) != 0 && format->dwAspect == DVASPECT_CONTENT)
                return &offer;
        }
        return nullptr;
    }

    std::vector<Offer> offers_;
    std::vector<HGLOBAL> blocks_;
};

inline CLIPFORMAT registeredFormat(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
}

inline std::string int32Bytes(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

}  // namespace dndtest
