#pragma once
// A dialog from a dialog resource, modal or modeless. One dialog procedure
// binds the object at WM_INITDIALOG and hands messages to typed handlers;
// exceptions stop at the dialog procedure. Member values reach the controls
// through DoDataExchange.

#include "framework/CDataExchange.h"

#include <windows.h>

class CDialogBase {
public:
    explicit CDialogBase(UINT templateId) : templateId_(templateId) {}
    virtual ~CDialogBase() = default;
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    // Runs the dialog; IDOK, IDCANCEL or what EndDialog was given; -1 when
    // the dialog could not be created.
    INT_PTR DoModal(HWND owner);
    // Opens the dialog without waiting for it, owned by `owner`; false when
    // it could not be created. It stays open until EndDialog; meanwhile the
    // application's message loop gives it its keys (PreTranslateMessage).
    bool Create(HWND owner);
    // The open modeless dialog that `msg` is meant for handles it; true when
    // it did, and the message goes nowhere else.
    static bool TranslateModelessMessage(MSG& msg);
    HWND GetHwnd() const { return hwnd_; }
    UINT GetTemplateId() const { return templateId_; }

protected:
    // The default fills the controls from the members. Return false when
    // the focus was set here.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    // The default sends OK and Cancel to OnOK and OnCancel.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    virtual void OnDestroy();
    // The default takes the control values and ends with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    // Every other message; true with `result` set when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // A message of the loop for this modeless dialog or one of its
    // controls; the default gives the dialog's keys (Tab, Enter, Esc) their
    // meaning. True when handled.
    virtual bool PreTranslateMessage(MSG& msg);

    // Controls to members (true) or members to controls (false).
    void UpdateData(bool saveAndValidate);
    // Closes the dialog: a modeless one is destroyed.
    void EndDialog(INT_PTR result);
    HWND GetItem(int id) const { return GetDlgItem(hwnd_, id); }
    void EnableItem(int id, bool enable) const { EnableWindow(GetItem(id), enable ? TRUE : FALSE); }
    bool IsItemEnabled(int id) const { return IsWindowEnabled(GetItem(id)) != FALSE; }
    bool IsItemChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

    // Binds the object given as the WM_INITDIALOG parameter to the window
    // and dispatches to the handlers; dialogs created elsewhere (property
    // pages) hand their messages over to it.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modeless_ = false;
};
