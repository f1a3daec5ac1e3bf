#pragma once
// Velmir's settings: the profile box and the pages of the selected profile.
// "OK" lets every page write back, then saves velmir.xml; "キャンセル"
// drops what the pages hold. The profile box only shows the profiles: the
// selected one is the one velmir.xml selects.

#include "framework/CDialogBase.h"
#include "velmir/PageTabCtrl.h"

class ProfileSet;
class SettingsPage;

class SettingsSheetDlg : public CDialogBase {
public:
    explicit SettingsSheetDlg(ProfileSet& profiles);

    // Before DoModal; the pages' tabs come in this order.
    void AddPage(SettingsPage& page) { tabs_.AddPage(page); }

protected:
    bool OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    void fillProfileBox();
    void selectProfileEntry(int profileIndex);
    void reportSaveFailure();

    ProfileSet& profiles_;
    PageTabCtrl tabs_;
};
