#include "views/DragScroller.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// Thread timers carry no window, so the callback finds its scroller here.
// Timer ids are unique per thread only.
using TimerKey = std::pair<DWORD, UINT_PTR>;

std::map<TimerKey, DragScroller*>& scrollersByTimer()
{
    static std::map<TimerKey, DragScroller*> table;
    return table;
}

SCROLLINFO scrollRange(HWND window, int bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(window, bar, &info)) info = SCROLLINFO{};
    return info;
}

bool canScrollBack(const SCROLLINFO& range)
{
    return range.nPos > range.nMin;
}

bool canScrollOn(const SCROLLINFO& range)
{
    return range.nPos < range.nMax - std::max(static_cast<int>(range.nPage) - 1, 0);
}

}  // namespace

DragScroller::DragScroller(UINT armingInterval) : interval_(armingInterval)
{
    reset();
}

DragScroller::~DragScroller()
{
    stopTimer();
}

void DragScroller::reset()
{
    stopTimer();
    zoneHeight_ = GetSystemMetrics(SM_CYVSCROLL);
    zoneWidth_ = GetSystemMetrics(SM_CXHSCROLL);
    zone_ = Zone::None;
    armed_ = false;
}

bool DragScroller::onDragOver(HWND window, POINT client)
{
    const Zone zone = zoneAt(window, client);
    if (zone == Zone::None) {
        stopTimer();
        zone_ = Zone::None;
        return false;
    }
    if (zone != zone_) {
        zone_ = zone;
        startTimer();
        armed_ = false;
    } else if (armed_) {
        scroll(window, zone);
    }
    return true;
}

DragScroller::Zone DragScroller::zoneAt(HWND window, POINT client) const
{
    RECT area{};
    GetClientRect(window, &area);
    const SCROLLINFO vertical = scrollRange(window, SB_VERT);
    if (client.y < area.top + zoneHeight_) {
        if (canScrollBack(vertical)) return Zone::Up;
    } else if (client.y >= area.bottom - zoneHeight_) {
        if (canScrollOn(vertical)) return Zone::Down;
    }
    return horizontalZoneAt(window, area, client.x);
}

DragScroller::Zone DragScroller::horizontalZoneAt(HWND window, const RECT& area, LONG x) const
{
    const SCROLLINFO horizontal = scrollRange(window, SB_HORZ);
    if (x < area.left + zoneWidth_) return canScrollBack(horizontal) ? Zone::Left : Zone::None;
    if (x >= area.right - zoneWidth_) return canScrollOn(horizontal) ? Zone::Right : Zone::None;
    return Zone::None;
}

void DragScroller::scroll(HWND window, Zone zone)
{
    switch (zone) {
    case Zone::Up: SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0); break;
    case Zone::Down: SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0); break;
    case Zone::Left: SendMessageW(window, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), 0); break;
    case Zone::Right: SendMessageW(window, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0); break;
    case Zone::None: break;
    }
}

void DragScroller::startTimer()
{
    stopTimer();
    timer_ = SetTimer(nullptr, 0, interval_, onTimer);
    if (timer_ != 0) scrollersByTimer()[{GetCurrentThreadId(), timer_}] = this;
}

void DragScroller::stopTimer()
{
    if (timer_ == 0) return;
    KillTimer(nullptr, timer_);
    scrollersByTimer().erase({GetCurrentThreadId(), timer_});
    timer_ = 0;
}

void CALLBACK DragScroller::onTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    const auto found = scrollersByTimer().find({GetCurrentThreadId(), timer});
    if (found == scrollersByTimer().end()) {
        KillTimer(nullptr, timer);
        return;
    }
    DragScroller& scroller = *found->second;
    if (scroller.timer_ != timer) return;
    scroller.armed_ = true;
    scroller.stopTimer();
}
