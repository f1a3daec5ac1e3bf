#pragma once
// Drives the next modal dialog of this thread: a thread timer waits until a
// visible dialog window exists and runs the action on it once. With a title,
// only a dialog of that title counts: a dialog opened from a dialog comes
// while its owner is still visible.

#include "ThreadWindows.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

class ModalDriver {
public:
    explicit ModalDriver(std::function<void(HWND)> action, std::wstring title = std::wstring())
    {
        Action() = std::move(action);
        Title() = std::move(title);
        timer_ = SetTimer(nullptr, 0, 10, Tick);
    }
    ~ModalDriver()
    {
        KillTimer(nullptr, timer_);
        Action() = nullptr;
        Title().clear();
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

private:
    static std::function<void(HWND)>& Action()
    {
        static std::function<void(HWND)> action;
        return action;
    }
    static std::wstring& Title()
    {
        static std::wstring title;
        return title;
    }
    static bool IsWantedDialog(HWND hwnd)
    {
        if (!hasWindowClass(hwnd, L"#32770") || !IsWindowVisible(hwnd)) return false;
        wchar_t title[256] = {};
        GetWindowTextW(hwnd, title, 256);
        return Title().empty() || Title() == title;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        const HWND dialog = findThreadWindow(IsWantedDialog);
        if (dialog == nullptr || !Action()) return;
        const auto action = std::move(Action());
        Action() = nullptr;
        action(dialog);
    }

    UINT_PTR timer_;
};
