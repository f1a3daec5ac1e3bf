#pragma once
// "オプション": the five option pages over copies of the options. Only OK
// takes the copies back, saves options.xml and tells the main window.

#include "app/CDropWindowOptionPage.h"
#include "app/CEditOptionPage.h"
#include "app/CFolderOptionPage.h"
#include "app/CHtmlOptionPage.h"
#include "app/CSystemOptionPage.h"

#include <windows.h>

struct AppOptions;

class COptionSheet {
public:
    // Runs the sheet modally; true after OK, when the options were taken
    // back and saved.
    bool run(AppOptions& options, HWND owner);

private:
    void copyIn(const AppOptions& options);
    void copyOut(AppOptions& options) const;
    INT_PTR showSheet(HWND owner);

    CSystemOptionPage system_;
    CFolderOptionPage folder_;
    CHtmlOptionPage html_;
    CDropWindowOptionPage dropWindow_;
    CEditOptionPage edit_;
};
