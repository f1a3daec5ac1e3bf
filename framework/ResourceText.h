#pragma once
// Strings from the program's string table. A command's string holds its
// status-bar prompt, a line break and its tool tip.

#include <windows.h>

#include <string>

class ResourceText {
public:
    // The module whose resources the program uses: the one holding this
    // code (the executable; Velmir.dll for the copy compiled into it).
    static HINSTANCE Instance();
    // The string with that id; empty when there is none.
    static std::wstring Load(UINT id);
    // The same in code page 932, as messages and settings take text.
    static std::string Load932(UINT id);
    // The text before the line break.
    static std::wstring Prompt(UINT id);
    // The text after the line break; empty when there is no line break.
    static std::wstring ToolTip(UINT id);
};
