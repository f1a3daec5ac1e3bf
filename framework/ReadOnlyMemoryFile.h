#pragma once
#include "framework/ByteFile.h"

// Bytes someone else owns, read in place: nothing is copied and the file
// never grows. The bytes must outlive the file.
class ReadOnlyMemoryFile : public ByteFile {
public:
    ReadOnlyMemoryFile(const void* data, size_t size);

    size_t read(void* buffer, size_t size) override;
    // Always throws FileException: the bytes are not ours to change.
    void write(const void* buffer, size_t size) override;
    uint64_t length() const override { return size_; }
    uint64_t position() const override { return position_; }
    void seekToBegin() override { position_ = 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
