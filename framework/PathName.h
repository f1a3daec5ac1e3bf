#pragma once
// Path texts in code page 932. The work is done on the wide form, because a
// backslash byte can be the second half of a double-byte character.

#include <string>

class PathName {
public:
    // The part after the last backslash or slash.
    static std::string FileName(const std::string& path);
    // Same file name, ignoring case.
    static bool Same(const std::string& first, const std::string& second);
};
