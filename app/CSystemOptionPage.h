#pragma once
// "システム": what the main window remembers and how it uses the
// notification area. Hiding into the tray needs the tray icon, so that box
// is only offered while the icon is on; it keeps its check meanwhile.

#include "framework/CPropertyPage.h"

class CSystemOptionPage : public CPropertyPage {
public:
    CSystemOptionPage();

    int restore = 1;
    int taskTray = 1;
    int minimumIcon = 1;
    int minimizedStart = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void onTaskTrayClicked();
    void enableMinimumIcon();
};
