#include "velmir/CSettingColorDlg.h"

#include "velmir/ColorPickerDlg.h"
#include "velmir/ColorProfile.h"
#include "velmir/resource.h"

#include <iterator>

namespace {

struct SwatchBinding {
    int id;
    ColorSetting ColorProfile::*setting;
};

const SwatchBinding Bindings[] = {
    {IDC_SWATCH_BACKGROUND, &ColorProfile::BackGround}, {IDC_SWATCH_TEXT, &ColorProfile::Text},
    {IDC_SWATCH_LINK, &ColorProfile::Link},             {IDC_SWATCH_VLINK, &ColorProfile::VLink},
    {IDC_SWATCH_ALINK, &ColorProfile::ALink},           {IDC_SWATCH_HIGH_GROUP, &ColorProfile::HighGroup},
    {IDC_SWATCH_GROUP, &ColorProfile::Group},
};

}  // namespace

CSettingColorDlg::CSettingColorDlg(ColorProfile& profile) : SettingsPage(IDD_SETTING_COLOR), profile_(profile)
{
    static_assert(std::size(Bindings) == SwatchCount, "one swatch per colour");
}

bool CSettingColorDlg::OnInitDialog()
{
    for (size_t i = 0; i < SwatchCount; ++i) {
        const ColorSetting& setting = profile_.*Bindings[i].setting;
        swatches_[i].Attach(GetItem(Bindings[i].id));
        swatches_[i].Set(ColorSwatch::ModeOf(setting.useDefault), setting.color);
    }
    return true;
}

bool CSettingColorDlg::OnCommand(UINT id, UINT code, HWND control)
{
    for (ColorSwatch& swatch : swatches_) {
        if (control == nullptr || swatch.GetHwnd() != control) continue;
        if (code == STN_CLICKED) onSwatchClicked(swatch);
        return true;
    }
    return SettingsPage::OnCommand(id, code, control);
}

void CSettingColorDlg::onSwatchClicked(ColorSwatch& swatch)
{
    ColorPickerDlg picker(swatch.GetColor(), swatch.GetMode() == ColorSwatch::BrowserDefault);
    if (picker.DoModal(GetHwnd()) != IDOK) return;
    swatch.Set(ColorSwatch::ModeOf(picker.IsBrowserDefault()), picker.GetColor());
}

void CSettingColorDlg::OnSheetOK()
{
    for (size_t i = 0; i < SwatchCount; ++i) {
        ColorSetting& setting = profile_.*Bindings[i].setting;
        setting.color = swatches_[i].GetColor();
        setting.useDefault = swatches_[i].GetMode() == ColorSwatch::BrowserDefault;
    }
}
