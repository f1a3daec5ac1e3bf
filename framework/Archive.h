#pragma once
// Binary archive over a ByteFile: 32-bit little-endian integers and
// length-prefixed byte strings, through a buffer of 4096 bytes by default.

#include "framework/ByteFile.h"

#include <cstdint>
#include <string>
#include <vector>

class Archive {
public:
    enum class Mode { Load, Store };
    static constexpr size_t DefaultBufferSize = 4096;

    Archive(ByteFile& file, Mode mode, size_t bufferSize = DefaultBufferSize);
    // Flushes a storing archive; errors at this point are swallowed, so call
    // close() where they matter.
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool isLoading() const { return mode_ == Mode::Load; }
    bool isStoring() const { return mode_ == Mode::Store; }

    void writeInt32(int32_t value);
    void writeString(const std::string& text);
    void writeBytes(const void* data, size_t size);

    // Readers throw ArchiveException(EndOfFile) when the stream ends early.
    int32_t readInt32();
    // Reads a length-prefixed string. A negative length, or one longer than
    // the bytes left in the stream, is a format error (never an allocation).
    std::string readString();
    void readBytes(void* data, size_t size);
    // Bytes still to be read: what is buffered plus what the file holds.
    uint64_t bytesRemaining() const;

    // Writes buffered bytes to the file.
    void flush();
    void close();

private:
    // Throws ArchiveException(Generic) when the archive is closed or in the other mode.
    void requireUsable(Mode mode) const;
    void fillBuffer();
    // Large reads bypass the buffer once it is empty.
    void readDirect(uint8_t* bytes, size_t size);

    ByteFile& file_;
    Mode mode_;
    std::vector<uint8_t> buffer_;
    size_t bufferPos_ = 0;   // next byte to read, or bytes pending to write
    size_t bufferEnd_ = 0;   // loading: bytes valid in the buffer
    bool closed_ = false;
};
