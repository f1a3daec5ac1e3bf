#include "platform/FileSystem.h"

#include "platform/PathJoin.h"

#include <chrono>
#include <cstdio>

namespace {

unsigned nextTemporaryNumber()
{
    static unsigned number = static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return ++number;
}

}  // namespace

std::string FileSystem::temporaryPathFor(const std::string& target)
{
    const std::string folder = PathJoin::folderOf(target);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~rv%08X.tmp", nextTemporaryNumber());
        std::string candidate = folder + name;
        if (!exists(candidate))
            return candidate;
    }
    return {};
}

bool FileSystem::writeAll(std::FILE* file, const std::string& bytes) noexcept
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
}

bool FileSystem::writeReplacing(const std::string& path, const std::string& bytes, BytesWriter writer)
{
    const std::string temporary = temporaryPathFor(path);
    if (temporary.empty()) return false;
    std::FILE* file = open(temporary, "wb");
    if (file == nullptr) return false;
    const bool written = writer(file, bytes);
    if (std::fclose(file) == 0 && written && replace(temporary, path)) return true;
    remove(temporary);
    return false;
}
