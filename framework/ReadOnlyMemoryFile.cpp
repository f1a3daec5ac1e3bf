#include "framework/ReadOnlyMemoryFile.h"

#include "framework/FileException.h"

#include <algorithm>
#include <cstring>

ReadOnlyMemoryFile::ReadOnlyMemoryFile(const void* data, size_t size)
    : data_(static_cast<const uint8_t*>(data)), size_(data != nullptr ? size : 0)
{
}

size_t ReadOnlyMemoryFile::read(void* buffer, size_t size)
{
    const size_t count = std::min(size, size_ - position_);
    if (count == 0) return 0;
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return count;
}

void ReadOnlyMemoryFile::write(const void*, size_t)
{
    throw FileException(FileException::Cause::AccessDenied, "memory");
}
