#pragma once
// The frame's status bar: a message pane (the prompt of the command under
// the mouse, string IDS_IDLE_MESSAGE when idle) and the indicators kana,
// caps, num and scroll lock (strings ID_INDICATOR_KANA to _SCRL), each shown
// while its key is toggled on.

#include <windows.h>

#include <string>
#include <vector>

class CFrameWindow;

class CStatusBar {
public:
    CStatusBar() = default;
    ~CStatusBar();
    CStatusBar(const CStatusBar&) = delete;
    CStatusBar& operator=(const CStatusBar&) = delete;

    bool Create(CFrameWindow& frame);
    HWND GetHwnd() const { return hwnd_; }

    void SetMessageText(const std::wstring& text);
    void ShowIdleMessage();
    // Pane 0 is the message pane, 1 to 4 the indicators.
    std::wstring GetPaneText(int pane) const;
    void UpdateIndicators();

    // Follows the frame's size: bottom edge, full width.
    void Reposition();
    int GetHeight() const;

private:
    void SetPaneText(int pane, const std::wstring& text);
    void MeasureIndicators();

    CFrameWindow* frame_ = nullptr;
    HWND hwnd_ = nullptr;
    std::vector<std::wstring> indicatorTexts_;
    std::vector<int> indicatorWidths_;
};
