#pragma once
// Picks one colour with a slider per primary, or the browser's default. The
// colour is kept while the browser default is chosen, so unticking the box
// brings it back.

#include "framework/CDialogBase.h"
#include "velmir/ColorSwatch.h"

class ColorPickerDlg : public CDialogBase {
public:
    // `color` is 0x00BBGGRR.
    ColorPickerDlg(COLORREF color, bool browserDefault);

    // After "OK": red + green * 256 + blue * 65536.
    COLORREF GetColor() const { return RGB(red_, green_, blue_); }
    bool IsBrowserDefault() const { return browserDefault_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnOK() override;

private:
    struct Channel;
    static const Channel Channels[3];

    void OnHScroll(UINT code, HWND slider);
    void onBrowserDefaultClicked();
    void showValue(const Channel& channel);
    void showPreview();

    int red_;
    int green_;
    int blue_;
    bool browserDefault_;
    ColorSwatch preview_;
};
