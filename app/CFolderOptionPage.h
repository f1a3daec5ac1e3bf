#pragma once
// "フォルダ": which book opens at start. The path belongs to "既存のブック"
// only: choosing another mode empties and disables the edit, but the path
// is remembered and comes back when that mode is chosen again.

#include "framework/CPropertyPage.h"

#include <string>

class CFolderOptionPage : public CPropertyPage {
public:
    CFolderOptionPage();

    int firstOpen = 2;      // 0 new book, 1 firstFile, 2 the book saved last
    std::string firstFile;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnKillActive() override;

private:
    void onExistingBookClicked();
    void onOtherModeClicked();
    void onBrowse();
    void enablePath(bool enable);
    void showPath(std::string path);
    // The edit's text while it is in use.
    void rememberPath();
};
