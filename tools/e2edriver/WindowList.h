#pragma once
// The windows on the desktop, taken as a list at one moment: the driver
// picks from it what it looks for.

#include <windows.h>

#include <vector>

class WindowList {
public:
    // The top-level windows, topmost first.
    static std::vector<HWND> topLevel();
    // Every window below `parent`, at any depth, in the order of their creation.
    static std::vector<HWND> below(HWND parent);
};
