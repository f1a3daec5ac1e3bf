#pragma once
// Asks for the folder that keeps the settings (options.xml, the default book
// and page). It proposes `subPath` below `baseFolder`; browsing picks a new
// base and keeps the tail. OK takes the edit text as it stands.

#include "framework/CDialogBase.h"

#include <string>

class CSettingFolderDlg : public CDialogBase {
public:
    CSettingFolderDlg();

    std::string subPath;     // "Tanvex\Ravlo"
    std::string baseFolder;  // where the tail goes; the documents folder at first
    std::string folder;      // the edit: the folder the user accepts

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void onBrowse();
};
