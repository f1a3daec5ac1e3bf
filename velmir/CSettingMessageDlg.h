#pragma once
// The leading-text page: one multi-line edit holding the profile's
// FirstMessage.

#include "velmir/SettingsPage.h"

#include <string>

struct ColorProfile;

class CSettingMessageDlg : public SettingsPage {
public:
    explicit CSettingMessageDlg(ColorProfile& profile);

    void OnSheetOK() override;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void OnSize(int width, int height);

    ColorProfile& profile_;
    std::string text_;
};
