#pragma once
// One page of a property sheet, made from a dialog resource whose caption
// is the tab title. The sheet creates the window when the page is first
// shown; from then on it is a dialog like any other: the members go to the
// controls at initialisation and come back whenever the page is left,
// including the leaving that OK starts.

#include "framework/CDialogBase.h"

#include <windows.h>
#include <prsht.h>

class CPropertyPage : public CDialogBase {
public:
    explicit CPropertyPage(UINT templateId) : CDialogBase(templateId) {}

    // What the sheet needs to create this page.
    PROPSHEETPAGEW PageDescription();

protected:
    // The page is being left (another tab, or OK). The default takes the
    // control values into the members.
    virtual void OnKillActive();
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
