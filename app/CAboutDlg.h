#pragma once
// The about box: the program's version from its version resource.

#include "framework/CDialogBase.h"

#include <string>

class CAboutDlg : public CDialogBase {
public:
    CAboutDlg();

    // ProductVersion of the Japanese string table of this program's version
    // resource; empty when it cannot be read.
    static std::string productVersion();

protected:
    bool OnInitDialog() override;
};
