#pragma once
// The shell's folder browser, admitting file-system folders only, opened at
// a special folder or at a path.

#include <windows.h>

#include <string>

class FolderBrowser {
public:
    enum Result { Chosen = IDOK, Cancelled = IDCANCEL };

    // Chosen with `chosen` set, or Cancelled (also when the choice has no
    // file-system path).
    static Result Browse(HWND owner, const std::string& title, const std::string& initialFolder,
                         std::string& chosen);
    // Opens at special folder `csidl` (see GetSpecialFolderPath).
    static Result BrowseFromSpecialFolder(HWND owner, const std::string& title, int csidl, std::string& chosen);
};
