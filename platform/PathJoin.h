#pragma once
// Building paths from a folder, a file name and an extension, and taking the
// folder back out of a path. Paths are code page 932 text; both steps walk
// them by character, since the second byte of a kanji such as 表 can be 0x5C.

#include <string>

class PathJoin {
public:
    // `folder`, one backslash unless the folder already ends with one, `name`,
    // and a dot with `extension` when there is an extension.
    static std::string join(const std::string& folder, const std::string& name,
                            const std::string& extension = std::string());
    // Drive and folder of `path`, with the final separator ("C:\Ravlo\" of
    // "C:\Ravlo\Ravlo.exe"); empty when the path has neither.
    static std::string folderOf(const std::string& path);
    // The file name of `path` without its extension ("表.v2" of
    // "C:\本棚\表.v2.rvl"); a name whose only dot comes first stays whole.
    static std::string baseNameOf(const std::string& path);
    // True when the last character of `path` is a backslash.
    static bool endsWithBackslash(const std::string& path);
};
