#pragma once
// Reading the files the importers were pointed at, whole, while others may
// read them but not write them. Paths are code page 932.

#include <windows.h>

#include <string>

class ImportFile {
public:
    // The bytes of the file at `path`. False, after telling the user with
    // `owner` as parent, when the file cannot be opened or read.
    static bool Read(HWND owner, const std::string& path, std::string& bytes);
    // `bytes` (a whole UTF-8 file) in the program's code page 932, with the
    // look-alikes UTF-8 sources use mapped and other missing characters as
    // "?". 1 on success; 0, with `converted` empty, for an empty file.
    static int ConvertFileCodePage(const std::string& bytes, std::string& converted);
};
