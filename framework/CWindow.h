#pragma once
// Base of the framework's windows. One window procedure binds the object at
// WM_NCCREATE and hands messages to typed handlers; exceptions stop at the
// window procedure. Window objects are not copyable; destroying the object
// destroys its window without calling handlers of the already destroyed
// derived parts, so owners destroy windows explicitly where handlers matter.

#include <windows.h>

class CWindow {
public:
    CWindow() = default;
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND GetHwnd() const { return hwnd_; }
    // Creates a window of the framework's class from the style, place,
    // parent, menu (a child's id) and title in `cs`.
    bool Create(const CREATESTRUCTW& cs);
    // A child window with id `id`, placed later by its parent's layout.
    bool CreateChild(HWND parent, UINT id, DWORD style, DWORD exStyle = 0);
    void DestroyWindow();
    // The framework window behind a handle; null for other windows.
    static CWindow* FromHandle(HWND hwnd);
    // Inside a catch block: tells the user that a handler failed.
    static void ReportCurrentException(HWND owner);

protected:
    // False makes the creation fail.
    virtual bool OnCreate(CREATESTRUCTW& cs);
    virtual void OnDestroy();
    // The last message; the handle is cleared after it.
    virtual void OnNcDestroy();
    virtual void OnSize(UINT type, int cx, int cy);
    // True when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    // The default destroys the window.
    virtual void OnClose();
    virtual void OnSetFocus(HWND previous);
    // Every other message; true with `result` set when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT FailedResult(HWND hwnd, UINT message);

    HWND hwnd_ = nullptr;
};
