#include "platform/FileSystem.h"

#include "platform/CodePage.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <share.h>
#include <vector>

namespace {

std::wstring widePath(const std::string& path)
{
    return CodePage::toWide(path);
}

// The data of a freshly written file must be on disk before the rename
// makes it the book: otherwise a crash could leave a renamed but empty file.
bool flushToDisk(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

// Windows refuses to move over a read-only file; Wine does not. Check it here
// so a read-only book stays protected everywhere.
bool isReadOnly(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The C library folds several Windows errors into one errno; the callers
// tell a file another program holds open and a missing folder from the rest.
void keepWindowsErrorInErrno()
{
    switch (_doserrno) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        errno = EBUSY;
        break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        errno = ENOTDIR;
        break;
    default:
        break;
    }
}

int64_t fileTimeValue(const FILETIME& time)
{
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

}  // namespace

// Nobody else may write to a file while we read or write it: a book changed
// half-way through reading would be read as a mixture of two versions.
std::FILE* FileSystem::open(const std::string& path, const char* mode)
{
    _doserrno = 0;
    std::FILE* file = _wfsopen(widePath(path).c_str(), widePath(mode).c_str(), _SH_DENYWR);
    if (file == nullptr) keepWindowsErrorInErrno();
    return file;
}

bool FileSystem::exists(const std::string& path)
{
    return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileSystem::remove(const std::string& path)
{
    return DeleteFileW(widePath(path).c_str()) != FALSE;
}

// MoveFileExW rather than ReplaceFileW: a rename within one folder is atomic,
// while ReplaceFileW can fail half-way with the old file already gone.
bool FileSystem::replace(const std::string& source, const std::string& target)
{
    const std::wstring from = widePath(source);
    const std::wstring to = widePath(target);
    if (isReadOnly(to)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return flushToDisk(from)
        && MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

std::string FileSystem::fullPath(const std::string& path)
{
    if (path.empty()) return path;
    const std::wstring wide = widePath(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    return CodePage::fromWide(std::wstring(buffer.data(), length));
}

std::vector<FileSystem::Entry> FileSystem::filesStartingWith(const std::string& folder, const std::string& prefix)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widePath(folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        // The pattern also matches by short names: the caller checks the long one.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            entries.push_back({CodePage::fromWide(found.cFileName), fileTimeValue(found.ftLastWriteTime)});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

bool FileSystem::lastWriteTime(const std::string& path, int64_t& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    time = fileTimeValue(data.ftLastWriteTime);
    return true;
}
