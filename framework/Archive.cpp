#include "framework/Archive.h"

#include "framework/ArchiveException.h"

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void throwEndOfFile()
{
    throw ArchiveException(ArchiveException::Cause::EndOfFile, "unexpected end of archive");
}

[[noreturn]] void throwBadFormat(const char* what)
{
    throw ArchiveException(ArchiveException::Cause::BadFormat, what);
}

int32_t decodeInt32(const uint8_t* bytes)
{
    const uint32_t value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                           uint32_t(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

}  // namespace

Archive::Archive(ByteFile& file, Mode mode, size_t bufferSize)
    : file_(file), mode_(mode), buffer_(std::max<size_t>(bufferSize, 1))
{
}

Archive::~Archive()
{
    if (!isStoring() || closed_) return;
    try {
        flush();
    } catch (...) {
        // A destructor must not throw; close() reports this failure.
    }
}

void Archive::requireUsable(Mode mode) const
{
    if (mode_ != mode || closed_)
        throw ArchiveException(ArchiveException::Cause::Generic, "archive used in the wrong mode");
}

void Archive::writeInt32(int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
    writeBytes(bytes, sizeof bytes);
}

void Archive::writeString(const std::string& text)
{
    if (text.size() > static_cast<size_t>(INT32_MAX))
        throw ArchiveException(ArchiveException::Cause::Generic, "string too long for an archive");
    writeInt32(static_cast<int32_t>(text.size()));
    writeBytes(text.data(), text.size());
}

void Archive::writeBytes(const void* data, size_t size)
{
    requireUsable(Mode::Store);
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (size > buffer_.size() - bufferPos_) {
        flush();
        if (size >= buffer_.size()) {
            file_.write(bytes, size);
            return;
        }
    }
    std::memcpy(buffer_.data() + bufferPos_, bytes, size);
    bufferPos_ += size;
}

int32_t Archive::readInt32()
{
    requireUsable(Mode::Load);
    if (bufferEnd_ - bufferPos_ >= 4) {
        const int32_t value = decodeInt32(buffer_.data() + bufferPos_);
        bufferPos_ += 4;
        return value;
    }
    uint8_t bytes[4];
    readBytes(bytes, sizeof bytes);
    return decodeInt32(bytes);
}

std::string Archive::readString()
{
    const int32_t length = readInt32();
    if (length < 0) throwBadFormat("negative string length in archive");
    const auto size = static_cast<size_t>(length);
    if (size <= bufferEnd_ - bufferPos_) {
        std::string text(reinterpret_cast<const char*>(buffer_.data() + bufferPos_), size);
        bufferPos_ += size;
        return text;
    }
    if (size > bytesRemaining()) throwBadFormat("string longer than the archive");
    std::string text(size, '\0');
    readBytes(text.data(), text.size());
    return text;
}

void Archive::readBytes(void* data, size_t size)
{
    requireUsable(Mode::Load);
    auto* bytes = static_cast<uint8_t*>(data);
    while (size > 0) {
        if (bufferPos_ == bufferEnd_) {
            if (size >= buffer_.size()) {
                readDirect(bytes, size);
                return;
            }
            fillBuffer();
        }
        const size_t count = std::min(size, bufferEnd_ - bufferPos_);
        std::memcpy(bytes, buffer_.data() + bufferPos_, count);
        bufferPos_ += count;
        bytes += count;
        size -= count;
    }
}

void Archive::readDirect(uint8_t* bytes, size_t size)
{
    while (size > 0) {
        const size_t count = file_.read(bytes, size);
        if (count == 0) throwEndOfFile();
        bytes += count;
        size -= count;
    }
}

void Archive::fillBuffer()
{
    bufferPos_ = 0;
    bufferEnd_ = file_.read(buffer_.data(), buffer_.size());
    if (bufferEnd_ == 0) throwEndOfFile();
}

uint64_t Archive::bytesRemaining() const
{
    const uint64_t length = file_.length();
    const uint64_t position = file_.position();
    const uint64_t inFile = length > position ? length - position : 0;
    return inFile + (bufferEnd_ - bufferPos_);
}

void Archive::flush()
{
    requireUsable(Mode::Store);
    if (bufferPos_ == 0) return;
    const size_t pending = bufferPos_;
    bufferPos_ = 0;
    file_.write(buffer_.data(), pending);
}

void Archive::close()
{
    if (closed_) return;
    if (isStoring()) flush();
    closed_ = true;
}
