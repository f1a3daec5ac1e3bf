#pragma once
// A block of memory inside the driven process. The list and tree controls
// take pointers to structures in their own process: the system copies no
// common-control structure across processes, so the driver puts them there.

#include <windows.h>

#include <cstddef>

class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    // The address `offset` bytes into the block, in the other process.
    LPARAM at(size_t offset = 0) const;
    void write(size_t offset, const void* data, size_t size) const;
    void read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_;
    void* block_;
    size_t size_;
};
