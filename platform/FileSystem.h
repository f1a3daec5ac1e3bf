#pragma once
// File access by code page 932 path, and the safe-replace step every save uses.

#include <cstdio>
#include <string>

class FileSystem {
public:
    // fopen with a 932 path (the Windows tree converts it to UTF-16 first).
    static std::FILE* open(const std::string& path, const char* mode);
    static bool exists(const std::string& path);
    static bool remove(const std::string& path);
    // A fresh name for a temporary file in the folder of `target`.
    static std::string temporaryPathFor(const std::string& target);
    // Moves a completely written `source` over `target` in one step, flushed
    // to disk, so `target` is either the old file or the new one.
    static bool replace(const std::string& source, const std::string& target);
};
