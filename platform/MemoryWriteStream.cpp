#include "platform/MemoryWriteStream.h"

#include <new>

HRESULT MemoryWriteStream::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG MemoryWriteStream::AddRef()
{
    return ++references_;
}

ULONG MemoryWriteStream::Release()
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT MemoryWriteStream::Read(void*, ULONG, ULONG* read)
{
    if (read != nullptr) *read = 0;
    return E_NOTIMPL;
}

HRESULT MemoryWriteStream::Write(const void* data, ULONG size, ULONG* written)
{
    if (written != nullptr) *written = 0;
    if (data == nullptr && size != 0) return STG_E_INVALIDPOINTER;
    try {
        bytes_.append(static_cast<const char*>(data), size);
    } catch (const std::bad_alloc&) {
        return STG_E_MEDIUMFULL;
    }
    if (written != nullptr) *written = size;
    return S_OK;
}

// Only asking where the end is: writing always appends.
HRESULT MemoryWriteStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position)
{
    if (move.QuadPart != 0 || origin == STREAM_SEEK_SET) return STG_E_INVALIDFUNCTION;
    if (position != nullptr) position->QuadPart = bytes_.size();
    return S_OK;
}

HRESULT MemoryWriteStream::SetSize(ULARGE_INTEGER) { return E_NOTIMPL; }
HRESULT MemoryWriteStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) { return E_NOTIMPL; }
HRESULT MemoryWriteStream::Commit(DWORD) { return S_OK; }
HRESULT MemoryWriteStream::Revert() { return E_NOTIMPL; }
HRESULT MemoryWriteStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }
HRESULT MemoryWriteStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }
HRESULT MemoryWriteStream::Stat(STATSTG* status, DWORD)
{
    if (status == nullptr) return STG_E_INVALIDPOINTER;
    *status = STATSTG{};
    status->type = STGTY_STREAM;
    status->cbSize.QuadPart = bytes_.size();
    return S_OK;
}

HRESULT MemoryWriteStream::Clone(IStream**) { return E_NOTIMPL; }
