#pragma once
// The files of a folder as the Win32 directory listing gives them. Paths
// and names are code page 932.

#include <cstdint>
#include <string>
#include <vector>

struct ListedFile {
    std::string name;  // without the folder
    uint64_t size = 0;
};

// The files (not folders) that match `pattern`, such as "C:\Ravlo\*.dll", in
// the order the file system gives them. The listing also matches short names
// (*.dll finds X.DLL~1): callers check the extension themselves.
std::vector<ListedFile> listFiles(const std::string& pattern);
