#pragma once
// File access by code page 932 path, and the safe-replace step every save uses.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class FileSystem {
public:
    // fopen with a 932 path (the Windows tree converts it to UTF-16 first and
    // lets nobody else write to the file while it is open).
    static std::FILE* open(const std::string& path, const char* mode);
    // True for anything at `path`, a folder included.
    static bool exists(const std::string& path);
    // Deletes a file (not a folder).
    static bool remove(const std::string& path);
    // A name no file has yet, in the folder of `target` (so that replace() is a
    // rename within one volume); empty if none could be found. The names of
    // one target's temporary files share a tag of its file name.
    static std::string temporaryPathFor(const std::string& target);
    // Deletes what killed saves of `target` left behind: files with its
    // temporary names that were last written before `target` itself. A file
    // another save still has open stays.
    static void removeLeftoverTemporaries(const std::string& target);
    // Moves a completely written and closed `source` over `target` in one step,
    // flushed to disk, so `target` is either the old file or the new one. Fails,
    // leaving both files alone, where overwriting `target` would fail (a
    // read-only file, a folder, a file another program holds open).
    static bool replace(const std::string& source, const std::string& target);

    // Puts `bytes` into an open file; true when all of them got there.
    using BytesWriter = bool (*)(std::FILE* file, const std::string& bytes) noexcept;
    static bool writeAll(std::FILE* file, const std::string& bytes) noexcept;
    // Writes `bytes` as the file at `path` through a temporary file beside it
    // and replace(), so a failure part way leaves the previous file whole and
    // no temporary behind. `writer` is replaceable so tests can make it fail.
    static bool writeReplacing(const std::string& path, const std::string& bytes, BytesWriter writer = writeAll);

    // The absolute form of `path` (relative to the current folder);
    // unchanged when it is empty or the system cannot make one.
    static std::string fullPath(const std::string& path);

private:
    struct Entry {
        std::string name;
        int64_t lastWrite;  // in the units of lastWriteTime
    };
    // The files in `folder` (empty or ending in a separator) whose names begin
    // with `prefix`, with when each was last written.
    static std::vector<Entry> filesStartingWith(const std::string& folder, const std::string& prefix);
    // When `path` was last written; false when that cannot be told.
    static bool lastWriteTime(const std::string& path, int64_t& time);
};
