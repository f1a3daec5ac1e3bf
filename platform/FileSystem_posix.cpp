#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

bool syncPath(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Renaming over a file one may not write would bypass its protection.
bool isProtected(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0;
}

int64_t modificationTime(const struct stat& info)
{
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

}  // namespace

std::FILE* FileSystem::open(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

bool FileSystem::exists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool FileSystem::remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool FileSystem::replace(const std::string& source, const std::string& target)
{
    if (isProtected(target)) {
        errno = EACCES;
        return false;
    }
    if (!syncPath(source, O_RDONLY) || ::rename(source.c_str(), target.c_str()) != 0)
        return false;
    // The rename itself lives in the folder: flush that too. A folder that
    // cannot be synced (some file systems refuse) still holds the new file.
    syncPath(folderOf(target), O_RDONLY | O_DIRECTORY);
    return true;
}

std::string FileSystem::fullPath(const std::string& path)
{
    if (path.empty() || path[0] == '/') return path;
    char folder[PATH_MAX];
    if (::getcwd(folder, sizeof folder) == nullptr) return path;
    return std::string(folder) + "/" + path;
}

std::vector<FileSystem::Entry> FileSystem::filesStartingWith(const std::string& folder, const std::string& prefix)
{
    std::vector<Entry> entries;
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) return entries;
    while (const dirent* found = ::readdir(listing)) {
        const std::string name = found->d_name;
        struct stat info;
        if (name.compare(0, prefix.size(), prefix) == 0 && ::stat((folder + name).c_str(), &info) == 0 &&
            S_ISREG(info.st_mode))
            entries.push_back({name, modificationTime(info)});
    }
    ::closedir(listing);
    return entries;
}

bool FileSystem::lastWriteTime(const std::string& path, int64_t& time)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return false;
    time = modificationTime(info);
    return true;
}
