#include "velmir/ColorPickerDlg.h"

#include "velmir/resource.h"

#include <commctrl.h>

#include <cwchar>

struct ColorPickerDlg::Channel {
    int sliderId;
    int valueId;
    int ColorPickerDlg::*value;
};

const ColorPickerDlg::Channel ColorPickerDlg::Channels[3] = {
    {IDC_RED_SLIDER, IDC_RED_VALUE, &ColorPickerDlg::red_},
    {IDC_GREEN_SLIDER, IDC_GREEN_VALUE, &ColorPickerDlg::green_},
    {IDC_BLUE_SLIDER, IDC_BLUE_VALUE, &ColorPickerDlg::blue_},
};

namespace {

// A tick and a line step every 17 and a page step of 51 divide 0-255 evenly.
const int TickStep = 17;
const int PageStep = 51;

}  // namespace

ColorPickerDlg::ColorPickerDlg(COLORREF color, bool browserDefault)
    : CDialogBase(IDD_COLOR_PICKER),
      red_(GetRValue(color)),
      green_(GetGValue(color)),
      blue_(GetBValue(color)),
      browserDefault_(browserDefault)
{
}

bool ColorPickerDlg::OnInitDialog()
{
    for (const Channel& channel : Channels) {
        const HWND slider = GetItem(channel.sliderId);
        SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
        SendMessageW(slider, TBM_SETTICFREQ, TickStep, 0);
        SendMessageW(slider, TBM_SETLINESIZE, 0, TickStep);
        SendMessageW(slider, TBM_SETPAGESIZE, 0, PageStep);
        SendMessageW(slider, TBM_SETPOS, TRUE, this->*channel.value);
        showValue(channel);
    }
    CheckDlgButton(GetHwnd(), IDC_BROWSER_DEFAULT, browserDefault_ ? BST_CHECKED : BST_UNCHECKED);
    preview_.Attach(GetItem(IDC_PICKER_PREVIEW));
    showPreview();
    return true;
}

bool ColorPickerDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_BROWSER_DEFAULT && code == BN_CLICKED) {
        onBrowserDefaultClicked();
        return true;
    }
    return CDialogBase::OnCommand(id, code, control);
}

bool ColorPickerDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&)
{
    if (message != WM_HSCROLL) return false;
    OnHScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    return true;
}

// The end of a drag follows the moves that already took the value.
void ColorPickerDlg::OnHScroll(UINT code, HWND slider)
{
    if (code == TB_ENDTRACK) return;
    for (const Channel& channel : Channels) {
        if (GetItem(channel.sliderId) != slider) continue;
        this->*channel.value = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
        showValue(channel);
        browserDefault_ = false;
        CheckDlgButton(GetHwnd(), IDC_BROWSER_DEFAULT, BST_UNCHECKED);
        showPreview();
        return;
    }
}

void ColorPickerDlg::onBrowserDefaultClicked()
{
    browserDefault_ = IsItemChecked(IDC_BROWSER_DEFAULT);
    showPreview();
}

void ColorPickerDlg::showValue(const Channel& channel)
{
    wchar_t text[8];
    swprintf(text, 8, L"%02X", this->*channel.value);
    SetDlgItemTextW(GetHwnd(), channel.valueId, text);
}

void ColorPickerDlg::showPreview()
{
    preview_.Set(ColorSwatch::ModeOf(browserDefault_), GetColor());
}

// The members follow the controls all along.
void ColorPickerDlg::OnOK()
{
    EndDialog(IDOK);
}
