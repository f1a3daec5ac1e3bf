#include "platform/FileSystem.h"

#include "platform/PathJoin.h"

#include <chrono>
#include <cstdio>

namespace {

const char kTemporaryPrefix[] = "~rv";
const char kTemporaryExtension[] = ".tmp";
constexpr size_t kHexDigits = 8;

unsigned nextTemporaryNumber()
{
    static unsigned number = static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return ++number;
}

std::string hexText(uint32_t value)
{
    char text[kHexDigits + 1];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

// "~rv", the tag of the target's file name: a hash that ignores the case of
// ASCII letters, as Windows names do.
std::string temporaryPrefixFor(const std::string& target)
{
    uint32_t hash = 2166136261u;  // FNV-1a
    for (size_t i = PathJoin::folderOf(target).size(); i < target.size(); ++i) {
        const char c = target[i];
        hash = (hash ^ static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c)) * 16777619u;
    }
    return kTemporaryPrefix + hexText(hash);
}

// The prefix, a number of eight hex digits, the extension: nothing else.
bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    const size_t numberEnd = prefix.size() + kHexDigits;
    return name.size() == numberEnd + sizeof kTemporaryExtension - 1 && name.compare(0, prefix.size(), prefix) == 0 &&
           name.find_first_not_of("0123456789ABCDEF", prefix.size()) == numberEnd &&
           name.compare(numberEnd, std::string::npos, kTemporaryExtension) == 0;
}

}  // namespace

std::string FileSystem::temporaryPathFor(const std::string& target)
{
    const std::string start = PathJoin::folderOf(target) + temporaryPrefixFor(target);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = start + hexText(nextTemporaryNumber()) + kTemporaryExtension;
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
    if (std::fclose(file) == 0 && written && replace(temporary, path)) {
        removeLeftoverTemporaries(path);
        return true;
    }
    remove(temporary);
    return false;
}

void FileSystem::removeLeftoverTemporaries(const std::string& target)
{
    int64_t saved = 0;
    if (!lastWriteTime(target, saved)) return;
    const std::string folder = PathJoin::folderOf(target);
    const std::string prefix = temporaryPrefixFor(target);
    for (const Entry& entry : filesStartingWith(folder, prefix))
        if (isTemporaryName(entry.name, prefix) && entry.lastWrite < saved) remove(folder + entry.name);
}
