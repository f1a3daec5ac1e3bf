#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace {

int64_t width(const ScreenRect& rect) { return rect.right - rect.left; }
int64_t height(const ScreenRect& rect) { return rect.bottom - rect.top; }

bool intersects(const ScreenRect& a, const ScreenRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The distance between two intervals, 0 when they overlap.
int64_t gap(int64_t lowA, int64_t highA, int64_t lowB, int64_t highB)
{
    return std::max<int64_t>({0, lowB - highA, lowA - highB});
}

// Squared in double: the squares of 64-bit gaps would overflow.
double distance(const ScreenRect& a, const ScreenRect& b)
{
    const auto dx = static_cast<double>(gap(a.left, a.right, b.left, b.right));
    const auto dy = static_cast<double>(gap(a.top, a.bottom, b.top, b.bottom));
    return dx * dx + dy * dy;
}

// The start of a span of `length` moved as little as possible into [low, high).
int64_t startWithin(int64_t start, int64_t length, int64_t low, int64_t high)
{
    return std::max(low, std::min(start, high - length));
}

}  // namespace

bool WindowPlacement::isUsable(const ScreenRect& saved)
{
    return width(saved) >= MinimumWidth && height(saved) >= MinimumHeight && width(saved) <= INT_MAX &&
           height(saved) <= INT_MAX;
}

ScreenRect WindowPlacement::onScreen(const ScreenRect& window, const std::vector<ScreenRect>& workAreas)
{
    if (workAreas.empty()) return window;
    const ScreenRect* nearest = &workAreas.front();
    for (const ScreenRect& area : workAreas) {
        if (intersects(window, area)) return window;
        if (distance(window, area) < distance(window, *nearest)) nearest = &area;
    }
    const int64_t placedWidth = std::min(width(window), width(*nearest));
    const int64_t placedHeight = std::min(height(window), height(*nearest));
    const int64_t left = startWithin(window.left, placedWidth, nearest->left, nearest->right);
    const int64_t top = startWithin(window.top, placedHeight, nearest->top, nearest->bottom);
    return {left, top, left + placedWidth, top + placedHeight};
}
