#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Two monitors side by side, the left one with a task bar at its bottom.
const std::vector<ScreenRect> Monitors = {{-1280, 0, 0, 984}, {0, 0, 1920, 1080}};

void expectRect(const ScreenRect& rect, int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

TEST(WindowPlacement, AWindowOnAnyWorkAreaStaysWhereItIs)
{
    expectRect(WindowPlacement::onScreen({-1300, 900, -1270, 1000}, Monitors), -1300, 900, -1270, 1000);
    expectRect(WindowPlacement::onScreen({5000, 5000, 5100, 5100}, {}), 5000, 5000, 5100, 5100);
}

TEST(WindowPlacement, AWindowOnNoWorkAreaMovesOntoTheNearestKeepingItsSizeWhereItFits)
{
    expectRect(WindowPlacement::onScreen({100000, 100000, 100800, 100600}, Monitors), 1120, 480, 1920, 1080);
    // Below the left monitor's task bar, not on the right monitor.
    expectRect(WindowPlacement::onScreen({-900, 1000, -100, 1400}, Monitors), -900, 584, -100, 984);
    expectRect(WindowPlacement::onScreen({-90000, -10, -87000, 2990}, Monitors), -1280, 0, 0, 984);
}

TEST(WindowPlacement, TooSmallOrOverflowingRectanglesAreNotUsable)
{
    EXPECT_TRUE(WindowPlacement::isUsable({-8, -8, 152, 112}));
    EXPECT_FALSE(WindowPlacement::isUsable({0, 0, 159, 400}));
    EXPECT_FALSE(WindowPlacement::isUsable({0, 0, 400, 119}));
    EXPECT_FALSE(WindowPlacement::isUsable({300, 300, 0, 0}));
    EXPECT_FALSE(WindowPlacement::isUsable({INT_MIN, 0, INT_MAX, 400}));
    EXPECT_FALSE(WindowPlacement::isUsable({0, INT_MIN, 400, INT_MAX}));
}

}  // namespace
