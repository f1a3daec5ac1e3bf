#pragma once
// "HTML作成": the default page file of the HTML output and whether the
// browser opens it. Browsing shows the page's members again, so a change of
// the check box not yet taken over is dropped with it.

#include "framework/CPropertyPage.h"

#include <string>

class CHtmlOptionPage : public CPropertyPage {
public:
    CHtmlOptionPage();

    std::string outputFile;
    int openBrowser = 1;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void onBrowse();
};
