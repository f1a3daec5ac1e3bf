#pragma once
// "アドインの設定": the add-in list with a button that opens the selected
// add-in's own settings; it stays open so that several can be set up.

#include "addin/AddinListCtrl.h"
#include "framework/CDialogBase.h"

struct AppOptions;

class AddinSettingsDlg : public CDialogBase {
public:
    AddinSettingsDlg(const AddinList& addins, AppOptions& options);

protected:
    bool OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    AddinListCtrl list_;
    AppOptions& options_;
};
