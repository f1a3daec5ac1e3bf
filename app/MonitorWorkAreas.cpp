#include "app/MonitorWorkAreas.h"

#include <windows.h>

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& work = info.rcWork;
    try {
        reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back({work.left, work.top, work.right, work.bottom});
    } catch (...) {
        return FALSE;  // out of memory: the areas found so far must do
    }
    return TRUE;
}

}  // namespace

std::vector<ScreenRect> MonitorWorkAreas::list()
{
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}
