// Auto-scroll while dragging over a list that holds more than it shows: an
// edge zone that can scroll arms a timer first, then every drag-over in it
// scrolls one line; a zone that cannot scroll, or the middle, does nothing.

#include "FrameworkTestSupport.h"
#include "views/DragScroller.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

constexpr UINT kArming = 30;

class DragScrollerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, parent,
                               nullptr, nullptr, nullptr);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 1200;  // wider than the list: it scrolls sideways too
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);  // a visible list redraws per row, slowly under Wine
        for (int row = 0; row < 100; ++row) {
            std::wstring text = L"row " + std::to_wstring(row);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = text.data();
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        GetClientRect(list, &area);
        scroller.reset();
    }
    void TearDown() override { DestroyWindow(parent); }

    int top() const { return GetScrollPos(list, SB_VERT); }
    int left() const { return GetScrollPos(list, SB_HORZ); }
    bool over(LONG x, LONG y) { return scroller.onDragOver(list, POINT{x, y}); }
    bool overTop() { return over(area.right / 2, area.top + 2); }
    bool overBottom() { return over(area.right / 2, area.bottom - 2); }
    bool overMiddle() { return over(area.right / 2, area.bottom / 2); }
    // Long enough for the arming timer to fire.
    static void waitForArming()
    {
        const DWORD end = GetTickCount() + kArming * 5;
        while (GetTickCount() < end) {
            fwtest::pumpMessages();
            Sleep(5);
        }
        fwtest::pumpMessages();
    }

    HWND parent = nullptr;
    HWND list = nullptr;
    RECT area{};
    DragScroller scroller{kArming};
};

TEST_F(DragScrollerTest, VerticalZonesScrollOneLinePerDragOverOnceArmed)
{
    ASSERT_EQ(0, top());
    EXPECT_FALSE(overTop()) << "at the first row there is nothing above";
    EXPECT_FALSE(overMiddle());

    EXPECT_TRUE(overBottom());
    EXPECT_TRUE(overBottom());
    EXPECT_EQ(0, top()) << "scrolled before the zone was armed";

    waitForArming();
    EXPECT_TRUE(overBottom());
    EXPECT_EQ(1, top());
    EXPECT_TRUE(overBottom());
    EXPECT_EQ(2, top());

    EXPECT_TRUE(overTop());
    EXPECT_EQ(2, top()) << "a new zone must arm again";
    waitForArming();
    EXPECT_TRUE(overTop());
    EXPECT_EQ(1, top());

    EXPECT_FALSE(overMiddle());
    EXPECT_TRUE(overTop());
    EXPECT_EQ(1, top()) << "leaving the zone disarms it";
}

TEST_F(DragScrollerTest, ResetForgetsAnArmingZone)
{
    EXPECT_TRUE(overBottom());
    scroller.reset();
    waitForArming();

    EXPECT_TRUE(overBottom());
    EXPECT_EQ(0, top());
}

TEST_F(DragScrollerTest, SideZonesScrollColumnsOnlyWhereThereIsMore)
{
    const LONG middle = area.bottom / 2;
    EXPECT_FALSE(over(area.left + 1, middle)) << "nothing lies left of the first column";

    EXPECT_TRUE(over(area.right - 1, middle));
    waitForArming();
    EXPECT_TRUE(over(area.right - 1, middle));
    const int scrolled = left();
    EXPECT_GT(scrolled, 0);

    EXPECT_TRUE(over(area.left + 1, middle));
    waitForArming();
    EXPECT_TRUE(over(area.left + 1, middle));
    EXPECT_LT(left(), scrolled);
}

TEST_F(DragScrollerTest, ListThatShowsEverythingNeverScrolls)
{
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 50;
    SendMessageW(list, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    EXPECT_FALSE(overTop());
    EXPECT_FALSE(overBottom());
    EXPECT_FALSE(over(area.right - 1, area.bottom / 2));
}

TEST_F(DragScrollerTest, ScrollerGoneBeforeItsTimerLeavesTheTimerHarmless)
{
    {
        DragScroller shortLived(kArming);
        EXPECT_TRUE(shortLived.onDragOver(list, POINT{area.right / 2, area.bottom - 2}));
    }
    waitForArming();
    EXPECT_EQ(0, top());
}

}  // namespace
