#pragma once
// The file a page is written to: created or truncated, and held so that no
// one else writes to it meanwhile (readers are let in).

#include "framework/ByteFile.h"

#include <windows.h>

#include <string>

class PageOutputFile : public ByteFile {
public:
    // Throws FileException when the file cannot be opened for writing.
    explicit PageOutputFile(const std::string& path);
    ~PageOutputFile() override;
    PageOutputFile(const PageOutputFile&) = delete;
    PageOutputFile& operator=(const PageOutputFile&) = delete;

    // There is nothing to read: always 0.
    size_t read(void* buffer, size_t size) override;
    void write(const void* buffer, size_t size) override;
    uint64_t length() const override { return length_; }
    uint64_t position() const override { return position_; }
    void seekToBegin() override;
    // Throws FileException when the file could not be closed.
    void close();

private:
    [[noreturn]] void fail() const;

    std::string path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    uint64_t position_ = 0;
    uint64_t length_ = 0;
};
