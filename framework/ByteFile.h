#pragma once
#include <cstddef>
#include <cstdint>

// What an Archive reads from and writes to: a file on disk or in memory.
class ByteFile {
public:
    virtual ~ByteFile() = default;
    // Reads up to `size` bytes; returns how many were read (0 at the end).
    virtual size_t read(void* buffer, size_t size) = 0;
    // Writes all `size` bytes or throws FileException.
    virtual void write(const void* buffer, size_t size) = 0;
    virtual uint64_t length() const = 0;
    virtual uint64_t position() const = 0;
    virtual void seekToBegin() = 0;
};
