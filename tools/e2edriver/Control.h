#pragma once
// A window of the driven program, seen from the driver's process. Queries
// are sent messages (the system copies their texts across processes);
// actions that may open a modal window are posted, so the driver is never
// stuck inside the program's modal loop.

#include <windows.h>

#include <string>

class Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}

    HWND handle() const { return hwnd_; }
    bool exists() const;
    bool visible() const;
    bool enabled() const;
    std::wstring className() const;
    std::wstring text() const;
    // A top-level window's title, read without a message: the window may be busy or closing.
    std::wstring title() const;
    RECT screenRect() const;

    // The dialog item `id`, a direct child; throws when there is none.
    Control item(int id) const;
    // The first window below this one, at any depth, with that id or class.
    Control descendant(int id) const;
    Control descendantOfClass(const std::wstring& className) const;
    // Whether a window below this one shows exactly `text`.
    bool showsText(const std::wstring& text) const;

    // Replaces an edit's text the way typing over a selection does, so that
    // the edit tells its dialog of the change (a multi-line edit reports no
    // change for WM_SETTEXT); checked.
    void setText(const std::wstring& text) const;
    // A click on a button (BM_CLICK), posted.
    void click() const;
    // Selects the entry of a list box that reads exactly `entry`.
    void selectEntry(const std::wstring& entry) const;
    bool checked() const;
    // Clicks a check box until it shows `on`.
    void setChecked(bool on) const;
    // Waits until the window is gone (a dialog that was confirmed).
    void waitGone(const std::wstring& what) const;

    // A message to a window that has gone in the meantime answers 0.
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

private:
    HWND hwnd_ = nullptr;
};
