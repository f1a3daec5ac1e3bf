#pragma once
// The shell's special folders and the making of a folder with its parents.
// Paths are code page 932.

#include <windows.h>

#include <string>

// The location of special folder `csidl` (5 documents, 6 favourites, 26
// application data). False, leaving `path` alone, when the shell has none.
bool GetSpecialFolderPath(HWND owner, int csidl, std::string& path);

// Makes sure the folder exists, creating missing parents first. False when
// the path is empty or a folder on the way could not be made.
bool CreateDirectoryPath(const std::string& path);
