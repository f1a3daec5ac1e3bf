#include "framework/MemoryFile.h"

#include <algorithm>
#include <cstring>

MemoryFile::MemoryFile(size_t growBy) : growBy_(std::max<size_t>(growBy, 1)) {}

MemoryFile::MemoryFile(const void* data, size_t size)
    : growBy_(4096), bytes_(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size)
{
}

size_t MemoryFile::read(void* buffer, size_t size)
{
    const size_t count = std::min(size, bytes_.size() - position_);
    if (count == 0) return 0;
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

void MemoryFile::write(const void* buffer, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const size_t overwritten = std::min(size, bytes_.size() - position_);
    if (overwritten > 0) std::memcpy(bytes_.data() + position_, bytes, overwritten);
    if (overwritten < size) {
        reserveFor(position_ + size);
        bytes_.insert(bytes_.end(), bytes + overwritten, bytes + size);
    }
    position_ += size;
}

void MemoryFile::reserveFor(size_t size)
{
    if (size <= bytes_.capacity()) return;
    // Steps of growBy_ keep small payloads small; doubling keeps a large
    // stream from being copied over and over while it grows.
    const size_t steps = (size + growBy_ - 1) / growBy_;
    bytes_.reserve(std::max(steps * growBy_, bytes_.capacity() * 2));
}

std::vector<uint8_t> MemoryFile::detach()
{
    std::vector<uint8_t> contents;
    contents.swap(bytes_);
    position_ = 0;
    return contents;
}
