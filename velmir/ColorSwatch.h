#pragma once
// A sunken static control that shows a colour, or the browser-default mark
// (grey with both diagonals) while keeping the colour it had. It paints for
// WM_PRINTCLIENT as for WM_PAINT. Clicks reach the parent as STN_CLICKED
// when the control has SS_NOTIFY.

#include <windows.h>

class ColorSwatch {
public:
    enum Mode { BrowserDefault = 0, ShowsColor = 1 };
    static Mode ModeOf(bool browserDefault) { return browserDefault ? BrowserDefault : ShowsColor; }

    ColorSwatch() = default;
    ~ColorSwatch();
    ColorSwatch(const ColorSwatch&) = delete;
    ColorSwatch& operator=(const ColorSwatch&) = delete;

    // Takes over the painting of a static control of a dialog.
    void Attach(HWND control);
    void Set(Mode mode, COLORREF color);
    Mode GetMode() const { return mode_; }
    COLORREF GetColor() const { return color_; }
    HWND GetHwnd() const { return control_; }

private:
    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self);
    bool OnMessage(UINT message, WPARAM wParam, LRESULT& result);
    void Detach();
    void OnPaint() const;
    void Paint(HDC dc) const;

    HWND control_ = nullptr;
    Mode mode_ = BrowserDefault;
    COLORREF color_ = 0;
};
