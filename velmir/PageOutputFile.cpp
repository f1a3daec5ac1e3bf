#include "velmir/PageOutputFile.h"

#include "framework/FileException.h"
#include "platform/CodePage.h"

#include <algorithm>

PageOutputFile::PageOutputFile(const std::string& path) : path_(path)
{
    file_ = CreateFileW(CodePage::toWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) fail();
}

PageOutputFile::~PageOutputFile()
{
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

// Whoever called only learns that the page was not written.
void PageOutputFile::fail() const
{
    throw FileException(FileException::Cause::Generic, path_);
}

size_t PageOutputFile::read(void*, size_t)
{
    return 0;
}

void PageOutputFile::write(const void* buffer, size_t size)
{
    if (file_ == INVALID_HANDLE_VALUE) fail();
    const auto* bytes = static_cast<const char*>(buffer);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file_, bytes, chunk, &written, nullptr) || written == 0) fail();
        bytes += written;
        size -= written;
        position_ += written;
    }
    length_ = std::max(length_, position_);
}

void PageOutputFile::seekToBegin()
{
    if (file_ == INVALID_HANDLE_VALUE) fail();
    if (SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) fail();
    position_ = 0;
}

void PageOutputFile::close()
{
    if (file_ == INVALID_HANDLE_VALUE) return;
    HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(file)) fail();
}
