#pragma once
// The about box: the program's version from its version resource and the
// add-ins with their copyright notes.

#include "addin/AddinListCtrl.h"
#include "framework/CDialogBase.h"

#include <string>

class CAboutDlg : public CDialogBase {
public:
    explicit CAboutDlg(const AddinList& addins);

    // ProductVersion of the Japanese string table of this program's version
    // resource; empty when it cannot be read.
    static std::string productVersion();

protected:
    bool OnInitDialog() override;

private:
    AddinListCtrl list_;
};
