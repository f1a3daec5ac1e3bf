#include "velmir/CSettingMessageDlg.h"

#include "velmir/ColorProfile.h"
#include "velmir/resource.h"

#include <algorithm>

namespace {

// An edit control breaks lines only at CR LF; a text from an old ini file
// may hold bare line feeds. Neither byte can be the second byte of a
// double-byte character, so the bytes are walked as they are.
std::string withEditLineBreaks(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

}  // namespace

CSettingMessageDlg::CSettingMessageDlg(ColorProfile& profile)
    : SettingsPage(IDD_SETTING_MESSAGE), profile_(profile), text_(withEditLineBreaks(profile.FirstMessage))
{
}

void CSettingMessageDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_FIRST_MESSAGE, text_);
}

void CSettingMessageDlg::OnSheetOK()
{
    UpdateData(true);
    // An untouched text keeps its own line breaks rather than the edit's.
    if (text_ != withEditLineBreaks(profile_.FirstMessage)) profile_.FirstMessage = text_;
}

bool CSettingMessageDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR&)
{
    if (message != WM_SIZE) return false;
    OnSize(LOWORD(lParam), HIWORD(lParam));
    return true;
}

// The sheet sizes the page to its tab control: the edit keeps its margin to
// the page's right and bottom edges that it has to the left.
void CSettingMessageDlg::OnSize(int width, int height)
{
    const HWND edit = GetItem(IDC_FIRST_MESSAGE);
    RECT place;
    GetWindowRect(edit, &place);
    MapWindowPoints(nullptr, GetHwnd(), reinterpret_cast<POINT*>(&place), 2);
    const int margin = place.left;
    const int editWidth = std::max(0, width - 2 * margin);
    const int editHeight = std::max(0, height - static_cast<int>(place.top) - margin);
    MoveWindow(edit, place.left, place.top, editWidth, editHeight, TRUE);
}
