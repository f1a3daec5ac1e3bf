#include "tools/e2edriver/WindowList.h"

namespace {

BOOL CALLBACK collect(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowList::topLevel()
{
    std::vector<HWND> windows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> WindowList::below(HWND parent)
{
    std::vector<HWND> windows;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
