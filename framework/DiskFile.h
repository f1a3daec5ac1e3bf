#pragma once
#include "framework/ByteFile.h"

#include <cstdio>
#include <string>

// A file on disk, opened by code page 932 path. Open failures throw FileException.
class DiskFile : public ByteFile {
public:
    enum class Mode { Read, Write };
    DiskFile(const std::string& path, Mode mode);
    ~DiskFile() override;
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    size_t read(void* buffer, size_t size) override;
    void write(const void* buffer, size_t size) override;
    uint64_t length() const override { return length_; }
    uint64_t position() const override { return position_; }
    void seekToBegin() override;
    // Flushes and closes; throws FileException when the data did not reach the disk.
    void close();
    const std::string& path() const { return path_; }

private:
    uint64_t measureLength();
    [[noreturn]] void fail();
    void requireOpen() const;

    std::string path_;
    std::FILE* file_ = nullptr;
    // Kept here rather than asked of the file: an archive checks the bytes
    // left before every string it reads.
    uint64_t length_ = 0;
    uint64_t position_ = 0;
};
