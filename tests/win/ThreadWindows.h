#pragma once
// Finds a top-level window of this thread. The Windows tests run in parallel
// processes on one Wine desktop, so FindWindow could answer with a window of
// another test and a script would press buttons in the wrong program.

#include <windows.h>

#include <functional>

inline HWND findThreadWindow(const std::function<bool(HWND)>& wanted)
{
    struct Search {
        const std::function<bool(HWND)>& wanted;
        HWND found;
    } search{wanted, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            if (!search.wanted(hwnd)) return TRUE;
            search.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline bool hasWindowClass(HWND hwnd, const wchar_t* className)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return lstrcmpW(name, className) == 0;
}

inline HWND findThreadWindow(const wchar_t* className)
{
    return findThreadWindow([className](HWND hwnd) { return hasWindowClass(hwnd, className); });
}
