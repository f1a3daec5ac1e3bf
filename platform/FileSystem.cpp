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
