#pragma once
// Scrolls a view while something is dragged near its edges. Entering an edge
// zone arms a one-shot timer; once it has fired, every further drag-over in
// the same zone scrolls one line, so the speed follows the drag loop's rate.

#include <windows.h>

class DragScroller {
public:
    // `armingInterval`: how long the pointer rests in a zone before scrolling starts.
    explicit DragScroller(UINT armingInterval);
    ~DragScroller();
    DragScroller(const DragScroller&) = delete;
    DragScroller& operator=(const DragScroller&) = delete;

    // Forgets the zone and the timer; call on every drag enter and leave.
    void reset();
    // True while the point is in a zone that can scroll; the view then
    // offers no drop effect.
    bool onDragOver(HWND window, POINT client);

private:
    enum class Zone { None, Up, Down, Left, Right };

    Zone zoneAt(HWND window, POINT client) const;
    Zone horizontalZoneAt(HWND window, const RECT& area, LONG x) const;
    void startTimer();
    void stopTimer();
    static void scroll(HWND window, Zone zone);
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD);

    UINT interval_;
    int zoneHeight_ = 0;
    int zoneWidth_ = 0;
    Zone zone_ = Zone::None;
    UINT_PTR timer_ = 0;
    bool armed_ = false;
};
