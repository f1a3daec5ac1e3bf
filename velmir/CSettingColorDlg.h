#pragma once
// The colour page: a swatch for each of the profile's seven colours. A click
// on a swatch opens the colour picker for it.

#include "velmir/ColorSwatch.h"
#include "velmir/SettingsPage.h"

#include <array>

struct ColorProfile;

class CSettingColorDlg : public SettingsPage {
public:
    explicit CSettingColorDlg(ColorProfile& profile);

    void OnSheetOK() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    static constexpr size_t SwatchCount = 7;

    void onSwatchClicked(ColorSwatch& swatch);

    ColorProfile& profile_;
    std::array<ColorSwatch, SwatchCount> swatches_;
};
