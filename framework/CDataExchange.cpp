#include "framework/CDataExchange.h"

#include "platform/CodePage.h"

#include <stdexcept>
#include <vector>

namespace {

bool isRadioButton(HWND control)
{
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::vector<HWND> radioGroup(HWND first)
{
    std::vector<HWND> buttons;
    for (HWND control = first; control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        if (control != first && (GetWindowLongPtrW(control, GWL_STYLE) & WS_GROUP) != 0) break;
        if (isRadioButton(control)) buttons.push_back(control);
    }
    return buttons;
}

}  // namespace

HWND CDataExchange::Control(int id) const
{
    const HWND control = GetDlgItem(dialog_, id);
    // A missing control is a mistake in the dialog's template or code.
    if (control == nullptr) throw std::logic_error("dialog control " + std::to_string(id) + " missing");
    return control;
}

void CDataExchange::Text(int id, std::string& value)
{
    const HWND control = Control(id);
    if (!saving_) {
        SetWindowTextW(control, CodePage::toWide(value).c_str());
        return;
    }
    const int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, buffer.data(), length + 1);
    value = CodePage::fromWide(std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0)));
}

void CDataExchange::Check(int id, int& value)
{
    const HWND control = Control(id);
    if (saving_)
        value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void CDataExchange::Radio(int firstId, int& index)
{
    const std::vector<HWND> buttons = radioGroup(Control(firstId));
    if (saving_) index = -1;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const int position = static_cast<int>(i);
        if (saving_) {
            if (index == -1 && SendMessageW(buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED) index = position;
        } else {
            SendMessageW(buttons[i], BM_SETCHECK, position == index ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void CDataExchange::ComboIndex(int id, int& index)
{
    const HWND control = Control(id);
    if (saving_)
        index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
