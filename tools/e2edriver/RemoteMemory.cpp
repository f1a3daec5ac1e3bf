#include "tools/e2edriver/RemoteMemory.h"

#include "tools/e2edriver/DriverError.h"

RemoteMemory::RemoteMemory(HANDLE process, size_t size)
    : process_(process), block_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size)
{
    if (block_ == nullptr) throw DriverError(L"cannot reserve memory in the program's process");
}

RemoteMemory::~RemoteMemory()
{
    VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
}

LPARAM RemoteMemory::at(size_t offset) const
{
    return reinterpret_cast<LPARAM>(static_cast<char*>(block_) + offset);
}

void RemoteMemory::write(size_t offset, const void* data, size_t size) const
{
    SIZE_T written = 0;
    if (offset + size > size_ ||
        !WriteProcessMemory(process_, reinterpret_cast<void*>(at(offset)), data, size, &written))
        throw DriverError(L"cannot write into the program's process");
}

void RemoteMemory::read(size_t offset, void* data, size_t size) const
{
    SIZE_T read = 0;
    if (offset + size > size_ || !ReadProcessMemory(process_, reinterpret_cast<void*>(at(offset)), data, size, &read))
        throw DriverError(L"cannot read from the program's process");
}
