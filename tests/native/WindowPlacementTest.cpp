#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Two monitors side by side, the left one with a task bar at its bottom.
const std::vector<ScreenRect> Monitors = {{-1280, 0, 0, 984}, {0, 0, 1920, 1080}};

std::vector<int64_t> placed(const ScreenRect& window, const std::vector<ScreenRect>& areas = Monitors)
{
    const ScreenRect rect = WindowPlacement::onScreen(window, areas);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(WindowPlacement, OnlyAWindowOffEveryWorkAreaMovesOntoTheNearestKeepingItsSizeWhereItFits)
{
    EXPECT_EQ(placed({-1300, 900, -1270, 1000}), (std::vector<int64_t>{-1300, 900, -1270, 1000}));
    EXPECT_EQ(placed({5000, 5000, 5100, 5100}, {}), (std::vector<int64_t>{5000, 5000, 5100, 5100}));
    EXPECT_EQ(placed({100000, 100000, 100800, 100600}), (std::vector<int64_t>{1120, 480, 1920, 1080}));
    // Below the left monitor's task bar, not on the right monitor.
    EXPECT_EQ(placed({-900, 1000, -100, 1400}), (std::vector<int64_t>{-900, 584, -100, 984}));
    EXPECT_EQ(placed({-90000, -10, -87000, 2990}), (std::vector<int64_t>{-1280, 0, 0, 984}));
}

TEST(WindowPlacement, TooSmallOrOverflowingRectanglesAreNotUsable)
{
    EXPECT_TRUE(WindowPlacement::isUsable({-8, -8, 152, 112}));
    EXPECT_FALSE(WindowPlacement::isUsable({0, 0, 159, 400}));
    EXPECT_FALSE(WindowPlacement::isUsable({0, 0, 400, 119}));
    EXPECT_FALSE(WindowPlacement::isUsable({300, 300, 0, 0}));
    EXPECT_FALSE(WindowPlacement::isUsable({INT_MIN, 0, INT_MAX, 400}));
}

}  // namespace
