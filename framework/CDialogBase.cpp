#include "framework/CDialogBase.h"

#include "framework/CWindow.h"
#include "framework/ResourceText.h"

#include <algorithm>
#include <vector>

namespace {

// The modeless dialogs of the program that are open now.
std::vector<CDialogBase*> openModeless;

}  // namespace

INT_PTR CDialogBase::DoModal(HWND owner)
{
    modeless_ = false;
    return DialogBoxParamW(ResourceText::Instance(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialogBase::Create(HWND owner)
{
    modeless_ = true;
    CreateDialogParamW(ResourceText::Instance(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                       reinterpret_cast<LPARAM>(this));
    if (hwnd_ == nullptr) return false;
    openModeless.push_back(this);
    return true;
}

bool CDialogBase::TranslateModelessMessage(MSG& msg)
{
    for (CDialogBase* dialog : std::vector<CDialogBase*>(openModeless)) {
        const HWND hwnd = dialog->hwnd_;
        if ((msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd)) && dialog->PreTranslateMessage(msg)) return true;
    }
    return false;
}

bool CDialogBase::PreTranslateMessage(MSG& msg)
{
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialogBase*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        CWindow::ReportCurrentException(hwnd);
    }
    // A dialog that cannot set itself up is of no use to the user.
    if (message == WM_INITDIALOG) self->EndDialog(IDCANCEL);
    return FALSE;
}

INT_PTR CDialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        hwnd_ = nullptr;
        openModeless.erase(std::remove(openModeless.begin(), openModeless.end(), this), openModeless.end());
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
    }
}

bool CDialogBase::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialogBase::DoDataExchange(CDataExchange&) {}

bool CDialogBase::OnCommand(UINT id, UINT, HWND)
{
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialogBase::OnNotify(NMHDR&, LRESULT&) { return false; }
void CDialogBase::OnDestroy() {}

void CDialogBase::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialogBase::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialogBase::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void CDialogBase::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(hwnd_, saveAndValidate);
    DoDataExchange(dx);
}

void CDialogBase::EndDialog(INT_PTR result)
{
    if (modeless_)
        DestroyWindow(hwnd_);
    else
        ::EndDialog(hwnd_, result);
}
