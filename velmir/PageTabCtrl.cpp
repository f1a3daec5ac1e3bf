#include "velmir/PageTabCtrl.h"

#include "velmir/SettingsPage.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

void PageTabCtrl::AddPage(SettingsPage& page)
{
    pages_.push_back(&page);
}

void PageTabCtrl::CreatePages(HWND tab)
{
    tab_ = tab;
    for (size_t i = 0; i < pages_.size(); ++i) insertPage(static_cast<int>(i));
    RECT display;
    GetClientRect(tab_, &display);
    TabCtrl_AdjustRect(tab_, FALSE, &display);
    for (SettingsPage* page : pages_)
        MoveWindow(page->GetHwnd(), display.left, display.top, display.right - display.left,
                   display.bottom - display.top, FALSE);
    shown_ = -1;
    ShowPage(0);
}

// The page loses caption and border: the tab shows its caption instead.
void PageTabCtrl::insertPage(int index)
{
    const HWND page = pages_[static_cast<size_t>(index)]->Create(tab_);
    if (page == nullptr) throw std::runtime_error("settings page missing");
    const LONG_PTR style = GetWindowLongPtrW(page, GWL_STYLE);
    SetWindowLongPtrW(page, GWL_STYLE, style & ~(WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
    SetWindowPos(page, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);

    std::vector<wchar_t> caption(static_cast<size_t>(GetWindowTextLengthW(page)) + 1, L'\0');
    GetWindowTextW(page, caption.data(), static_cast<int>(caption.size()));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void PageTabCtrl::ShowPage(int index)
{
    if (isPage(shown_)) {
        ShowWindow(pageWindow(shown_), SW_HIDE);
        EnableWindow(pageWindow(shown_), FALSE);
    }
    shown_ = index;
    if (!isPage(index)) return;
    EnableWindow(pageWindow(index), TRUE);
    ShowWindow(pageWindow(index), SW_SHOW);
    if (TabCtrl_GetCurSel(tab_) != index) TabCtrl_SetCurSel(tab_, index);
}

void PageTabCtrl::OnSelChange()
{
    const int selected = TabCtrl_GetCurSel(tab_);
    if (selected != shown_) ShowPage(selected);
}

bool PageTabCtrl::isPage(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < pages_.size();
}

HWND PageTabCtrl::pageWindow(int index) const
{
    return pages_[static_cast<size_t>(index)]->GetHwnd();
}
