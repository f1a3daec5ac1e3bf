#include "framework/CStatusBar.h"

#include "framework/CFrameWindow.h"
#include "framework/ResourceText.h"
#include "framework/resource_fw.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>

namespace {

struct Indicator {
    UINT textId;
    int key;
};

const Indicator indicators[] = {{ID_INDICATOR_KANA, VK_KANA},
                                {ID_INDICATOR_CAPS, VK_CAPITAL},
                                {ID_INDICATOR_NUM, VK_NUMLOCK},
                                {ID_INDICATOR_SCRL, VK_SCROLL}};
constexpr int indicatorPadding = 12;
constexpr int minimumIndicatorWidth = 24;

}  // namespace

CStatusBar::~CStatusBar()
{
    // The control itself goes with the frame window.
    if (frame_ != nullptr && frame_->GetStatusBar() == this) frame_->AttachStatusBar(nullptr);
}

bool CStatusBar::Create(CFrameWindow& frame)
{
    frame_ = &frame;
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                            frame.GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDW_STATUS_BAR)),
                            ResourceText::Instance(), nullptr);
    if (hwnd_ == nullptr) return false;
    MeasureIndicators();
    frame.AttachStatusBar(this);
    ShowIdleMessage();
    frame.RecalcLayout();
    return true;
}

void CStatusBar::MeasureIndicators()
{
    const HDC dc = GetDC(hwnd_);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    indicatorTexts_.clear();
    indicatorWidths_.clear();
    for (const Indicator& indicator : indicators) {
        const std::wstring text = ResourceText::Load(indicator.textId);
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        indicatorTexts_.push_back(text);
        indicatorWidths_.push_back(std::max<int>(minimumIndicatorWidth, size.cx + indicatorPadding));
    }
    if (previous != nullptr) SelectObject(dc, previous);
    ReleaseDC(hwnd_, dc);
}

void CStatusBar::Reposition()
{
    // The control moves itself to the bottom of its parent on WM_SIZE.
    SendMessageW(hwnd_, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int total = std::accumulate(indicatorWidths_.begin(), indicatorWidths_.end(), 0);
    std::vector<int> edges;
    int edge = std::max<int>(0, client.right - total);
    edges.push_back(edge);
    for (size_t i = 0; i + 1 < indicatorWidths_.size(); ++i) edges.push_back(edge += indicatorWidths_[i]);
    edges.push_back(-1);
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int CStatusBar::GetHeight() const
{
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    return rect.bottom - rect.top;
}

void CStatusBar::SetMessageText(const std::wstring& text)
{
    SetPaneText(0, text);
}

void CStatusBar::ShowIdleMessage()
{
    SetMessageText(ResourceText::Load(IDS_IDLE_MESSAGE));
}

void CStatusBar::UpdateIndicators()
{
    for (size_t i = 0; i < indicatorTexts_.size(); ++i) {
        const bool on = (GetKeyState(indicators[i].key) & 1) != 0;
        const int pane = static_cast<int>(i) + 1;
        const std::wstring text = on ? indicatorTexts_[i] : std::wstring();
        if (GetPaneText(pane) != text) SetPaneText(pane, text);
    }
}

void CStatusBar::SetPaneText(int pane, const std::wstring& text)
{
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CStatusBar::GetPaneText(int pane) const
{
    const LRESULT length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}
