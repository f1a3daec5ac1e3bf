#include "platform/FileSystem.h"

#include "platform/CodePage.h"

#include <chrono>
#include <cstdio>

namespace {

// The folder part of `path` with its final separator. Walks by character: the
// second byte of a kanji such as 表 can be a backslash.
std::string folderOf(const std::string& path)
{
    std::size_t folderEnd = 0;
    for (std::size_t i = 0; i < path.size(); i += CodePage::charLength(path, i)) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':')
            folderEnd = i + 1;
    }
    return path.substr(0, folderEnd);
}

unsigned nextTemporaryNumber()
{
    static unsigned number = static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return ++number;
}

}  // namespace

std::string FileSystem::temporaryPathFor(const std::string& target)
{
    const std::string folder = folderOf(target);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~rv%08X.tmp", nextTemporaryNumber());
        std::string candidate = folder + name;
        if (!exists(candidate))
            return candidate;
    }
    return {};
}
