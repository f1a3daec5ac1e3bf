#pragma once
// A page of the settings sheet: a child dialog made from its resource that
// lives inside the sheet's tab control. It edits the selected profile and
// writes its controls back only when the sheet is confirmed.

#include "framework/CDialogBase.h"

#include <windows.h>

class SettingsPage : public CDialogBase {
public:
    using CDialogBase::CDialogBase;

    // Creates the page hidden, as a child of `parent`.
    HWND Create(HWND parent);
    // The sheet's "OK": the controls' values go into the profile.
    virtual void OnSheetOK() = 0;

protected:
    // Return and Escape that reach a page (a multi-line edit sends its
    // Escape to its own dialog) belong to the sheet.
    void OnOK() override;
    void OnCancel() override;

private:
    void forwardToSheet(UINT id) const;
};
