#pragma once
// Where a window saved in the options may open: a saved rectangle can lie on
// a monitor that is gone (unplugged, another resolution, a hand-edited file),
// and a window there could never be found again.

#include <cstdint>
#include <vector>

// Screen pixels, wide enough that no sum or difference of saved ints overflows.
struct ScreenRect {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
};

class WindowPlacement {
public:
    // Below this a main window shows neither its bars nor its panes.
    static constexpr int64_t MinimumWidth = 160;
    static constexpr int64_t MinimumHeight = 120;

    // True when the saved rectangle has a usable size that fits an int.
    static bool isUsable(const ScreenRect& saved);
    // `window` itself when it meets one of the monitors' work areas;
    // otherwise moved onto the nearest of them, keeping its size where it
    // fits and shrunk to the work area where it does not. Without work areas
    // the window stays where it is.
    static ScreenRect onScreen(const ScreenRect& window, const std::vector<ScreenRect>& workAreas);
};
