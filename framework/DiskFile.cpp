#include "framework/DiskFile.h"

#include "framework/FileException.h"
#include "platform/FileSystem.h"

#include <cerrno>

namespace {

FileException::Cause causeOf(int error)
{
    switch (error) {
    case ENOENT:
        return FileException::Cause::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileException::Cause::AccessDenied;
    case ENAMETOOLONG:
    case ENOTDIR:
    case EINVAL:
        return FileException::Cause::BadPath;
    case EBUSY:
    case ETXTBSY:
        return FileException::Cause::SharingViolation;
    case ENOSPC:
    case EFBIG:
        return FileException::Cause::DiskFull;
    default:
        return FileException::Cause::Generic;
    }
}

}  // namespace

DiskFile::DiskFile(const std::string& path, Mode mode) : path_(path)
{
    errno = 0;
    file_ = FileSystem::open(path, mode == Mode::Read ? "rb" : "wb");
    if (file_ == nullptr) throw FileException(causeOf(errno), path_);
    if (mode == Mode::Read) {
        try {
            length_ = measureLength();
        } catch (...) {
            std::fclose(file_);
            throw;
        }
    }
}

DiskFile::~DiskFile()
{
    if (file_ != nullptr) std::fclose(file_);
}

uint64_t DiskFile::measureLength()
{
    if (std::fseek(file_, 0, SEEK_END) != 0) fail();
    const long end = std::ftell(file_);
    if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0) fail();
    return static_cast<uint64_t>(end);
}

void DiskFile::fail()
{
    throw FileException(causeOf(errno), path_);
}

void DiskFile::requireOpen() const
{
    if (file_ == nullptr) throw FileException(FileException::Cause::Generic, path_);
}

size_t DiskFile::read(void* buffer, size_t size)
{
    requireOpen();
    const size_t count = std::fread(buffer, 1, size, file_);
    if (count < size && std::ferror(file_)) fail();
    position_ += count;
    return count;
}

void DiskFile::write(const void* buffer, size_t size)
{
    requireOpen();
    errno = 0;
    if (std::fwrite(buffer, 1, size, file_) != size) fail();
    position_ += size;
    if (position_ > length_) length_ = position_;
}

void DiskFile::seekToBegin()
{
    requireOpen();
    if (std::fseek(file_, 0, SEEK_SET) != 0) fail();
    position_ = 0;
}

void DiskFile::close()
{
    if (file_ == nullptr) return;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!flushed) throw FileException(causeOf(flushError), path_);
    if (!closed) fail();
}
