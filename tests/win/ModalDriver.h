#pragma once
// Drives the next modal dialog of this thread: a thread timer waits until a
// visible dialog window exists and runs the action on it once.

#include <windows.h>

#include <functional>
#include <utility>

class ModalDriver {
public:
    explicit ModalDriver(std::function<void(HWND)> action)
    {
        Action() = std::move(action);
        timer_ = SetTimer(nullptr, 0, 10, Tick);
    }
    ~ModalDriver()
    {
        KillTimer(nullptr, timer_);
        Action() = nullptr;
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

private:
    static std::function<void(HWND)>& Action()
    {
        static std::function<void(HWND)> action;
        return action;
    }
    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
    {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog == nullptr || !Action()) return;
        const auto action = std::move(Action());
        Action() = nullptr;
        action(dialog);
    }

    UINT_PTR timer_;
};
