#pragma once
// "HTML作成": which add-in makes the page, which items go into it (all, or
// those with chosen marks) and where the page is written.

#include "addin/AddinListCtrl.h"
#include "framework/CDialogBase.h"
#include "model/BookmarkItem.h"

#include <string>

struct AppOptions;

class HtmlOutputDlg : public CDialogBase {
public:
    // The file types offered wherever a page file is chosen.
    static const char* const WebFileFilter;

    HtmlOutputDlg(const AddinList& addins, AppOptions& options);

    std::string outputPath;
    int allItems = 1;
    MarkFilter filter;                 // filled on "作成(&M)"
    AddinModule* chosen = nullptr;     // the add-in that makes the page

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    void updateButtons();
    void enableMarkBoxes();
    void onAllItemsClicked();
    void onBrowse();
    void onSettings();

    AddinListCtrl list_;
    AppOptions& options_;
};
