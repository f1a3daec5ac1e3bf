#pragma once
#include "framework/ByteFile.h"

#include <vector>

// A growable in-memory file (drag payloads, the add-in hand-off).
class MemoryFile : public ByteFile {
public:
    // The buffer grows in steps of `growBy` bytes (at least doubling once large).
    explicit MemoryFile(size_t growBy = 4096);
    // A file holding a copy of `size` bytes, positioned at the start.
    MemoryFile(const void* data, size_t size);

    size_t read(void* buffer, size_t size) override;
    void write(const void* buffer, size_t size) override;
    uint64_t length() const override { return bytes_.size(); }
    uint64_t position() const override { return position_; }
    void seekToBegin() override { position_ = 0; }

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    // Hands the contents to the caller and leaves the file empty.
    std::vector<uint8_t> detach();

private:
    void reserveFor(size_t size);

    size_t growBy_;
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};
