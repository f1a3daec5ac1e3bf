#include "velmir/SettingsSheetDlg.h"

#include "framework/UiServices.h"
#include "platform/CodePage.h"
#include "velmir/ProfileSet.h"
#include "velmir/SettingsPage.h"
#include "velmir/resource.h"

#include <commctrl.h>

SettingsSheetDlg::SettingsSheetDlg(ProfileSet& profiles) : CDialogBase(IDD_SETTING_SHEET), profiles_(profiles) {}

bool SettingsSheetDlg::OnInitDialog()
{
    tabs_.CreatePages(GetItem(IDC_PAGE_TAB));
    fillProfileBox();
    return true;
}

// The box sorts its entries, so each one carries its profile's index.
void SettingsSheetDlg::fillProfileBox()
{
    const HWND box = GetItem(IDC_PROFILE_BOX);
    for (size_t i = 0; i < profiles_.profiles.size(); ++i) {
        const std::wstring name = CodePage::toWide(profiles_.profiles[i].Name);
        const LRESULT entry = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(box, CB_SETITEMDATA, static_cast<WPARAM>(entry), static_cast<LPARAM>(i));
    }
    selectProfileEntry(profiles_.selected);
}

void SettingsSheetDlg::selectProfileEntry(int profileIndex)
{
    const HWND box = GetItem(IDC_PROFILE_BOX);
    const int count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int entry = 0; entry < count; ++entry) {
        if (SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0) == profileIndex) {
            SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
            return;
        }
    }
}

bool SettingsSheetDlg::OnNotify(NMHDR& header, LRESULT&)
{
    if (header.idFrom != IDC_PAGE_TAB || header.code != TCN_SELCHANGE) return false;
    tabs_.OnSelChange();
    return true;
}

void SettingsSheetDlg::OnOK()
{
    for (SettingsPage* page : tabs_.Pages()) page->OnSheetOK();
    if (!profiles_.saveProfiles()) reportSaveFailure();
    EndDialog(IDOK);
}

// The profile keeps the new values for this run; the user learns that the
// next run will not see them.
void SettingsSheetDlg::reportSaveFailure()
{
    UiServices::Current().ShowMessage(GetHwnd(), "設定を保存できませんでした。\n" + profiles_.settingsFile(),
                                      "Velmir", MB_OK | MB_ICONEXCLAMATION);
}
