// Tool bar docking and its saved layout, the status bar's prompts and
// indicators, tool tips.

#include "FrameworkTestSupport.h"
#include "framework/DockState.h"

#include <commctrl.h>

using namespace fwtest;

namespace {

class FrameworkBarsTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        NewDocument();
    }

    // The bar's rectangle in the frame's client coordinates.
    RECT BarRect(HWND bar) const
    {
        RECT rect;
        GetWindowRect(bar, &rect);
        MapWindowPoints(nullptr, Frame().GetHwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    RECT Client() const
    {
        RECT rect;
        GetClientRect(Frame().GetHwnd(), &rect);
        return rect;
    }
    RECT SplitterRect() const { return BarRect(Frame().splitter.GetHwnd()); }
    HWND ToolBar() const { return Frame().toolBar.GetHwnd(); }
    std::wstring Message() const { return Frame().statusBar.GetPaneText(0); }
};

TEST_F(FrameworkBarsTest, TheToolBarDocksOnEachSideAndTheClientTakesTheRest)
{
    const RECT client = Client();
    const int statusHeight = Frame().statusBar.GetHeight();
    RECT bar = BarRect(ToolBar());
    EXPECT_EQ(0, bar.top);
    EXPECT_EQ(client.right, bar.right);
    EXPECT_EQ(bar.bottom, SplitterRect().top);
    EXPECT_EQ(client.bottom - statusHeight, SplitterRect().bottom);

    Frame().DockToolBar(DockSide::Left);
    bar = BarRect(ToolBar());
    EXPECT_EQ(0, bar.left);
    EXPECT_LT(bar.right - bar.left, bar.bottom - bar.top);
    EXPECT_EQ(bar.right, SplitterRect().left);
    EXPECT_EQ(0, SplitterRect().top);

    Frame().DockToolBar(DockSide::Right);
    bar = BarRect(ToolBar());
    EXPECT_EQ(client.right, bar.right);
    EXPECT_EQ(bar.left, SplitterRect().right);

    Frame().DockToolBar(DockSide::Bottom);
    bar = BarRect(ToolBar());
    EXPECT_EQ(client.bottom - statusHeight, bar.bottom);
    EXPECT_EQ(bar.top, SplitterRect().bottom);

    // The buttons stand in a column while docked at a side.
    Frame().DockToolBar(DockSide::Left);
    RECT first, second;
    SendMessageW(Frame().toolBar.GetControl(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(Frame().toolBar.GetControl(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(first.left, second.left);
    EXPECT_GT(second.top, first.top);
}

TEST_F(FrameworkBarsTest, DraggingTheGripperDocksTheBarAtTheNearestSide)
{
    const RECT client = Client();
    const auto dragTo = [this](POINT inFrame) {
        POINT point = inFrame;
        MapWindowPoints(Frame().GetHwnd(), ToolBar(), &point, 1);
        SendMessageW(ToolBar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(ToolBar(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    };
    dragTo(POINT{client.right - 5, client.bottom / 2});
    EXPECT_EQ(DockSide::Right, Frame().toolBar.GetDockSide());
    dragTo(POINT{client.right / 2, client.bottom - 3});
    EXPECT_EQ(DockSide::Bottom, Frame().toolBar.GetDockSide());

    // A press on the buttons rather than the gripper moves nothing.
    SendMessageW(ToolBar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 3));
    SendMessageW(ToolBar(), WM_LBUTTONUP, 0, MAKELPARAM(2, -300));
    EXPECT_EQ(DockSide::Bottom, Frame().toolBar.GetDockSide());

    const RECT area{0, 0, 100, 80};
    EXPECT_EQ(DockSide::Top, CToolBar::SideNearest(area, POINT{50, 5}));
    EXPECT_EQ(DockSide::Left, CToolBar::SideNearest(area, POINT{-20, 40}));
    EXPECT_EQ(DockSide::Right, CToolBar::SideNearest(area, POINT{95, 40}));
    EXPECT_EQ(DockSide::Bottom, CToolBar::SideNearest(area, POINT{50, 200}));
}

TEST_F(FrameworkBarsTest, TheBarLayoutRoundTripsThroughBytes)
{
    Frame().DockToolBar(DockSide::Right);
    Frame().ShowControlBar(IDW_STATUS_BAR, false);
    const std::vector<uint8_t> saved = Frame().SaveBarState();

    Frame().DockToolBar(DockSide::Top);
    Frame().ShowControlBar(IDW_STATUS_BAR, true);
    ASSERT_TRUE(Frame().LoadBarState(saved));
    EXPECT_EQ(DockSide::Right, Frame().toolBar.GetDockSide());
    EXPECT_TRUE(Frame().IsControlBarVisible(IDW_TOOLBAR));
    EXPECT_FALSE(Frame().IsControlBarVisible(IDW_STATUS_BAR));
    EXPECT_EQ(saved, Frame().SaveBarState());
    EXPECT_EQ(BarRect(ToolBar()).left, SplitterRect().right);
}

TEST_F(FrameworkBarsTest, AMalformedLayoutIsRejectedAndTheCurrentOneKept)
{
    Frame().DockToolBar(DockSide::Left);
    const std::vector<uint8_t> current = Frame().SaveBarState();
    const auto placementsOf = [](std::vector<BarPlacement> bars) {
        DockState state;
        state.bars = std::move(bars);
        return state.ToBytes();
    };
    std::vector<std::vector<uint8_t>> rejected = {
        {},
        {'A', 'B', 'C', 'D', 'E', 'F'},
        std::vector<uint8_t>(current.begin(), current.end() - 1),  // cut short
        placementsOf({{IDW_TOOLBAR, DockSide::Top, true}, {IDW_TOOLBAR, DockSide::Left, true}}),
        placementsOf({{IDW_STATUS_BAR, DockSide::Top, true}}),
        placementsOf({{12345, DockSide::Top, true}}),
    };
    std::vector<uint8_t> longer = current;
    longer.push_back(0);
    rejected.push_back(longer);
    std::vector<uint8_t> badSide = placementsOf({{IDW_TOOLBAR, DockSide::Top, true}});
    badSide[16] = 9;  // the side of the first bar
    rejected.push_back(badSide);
    std::vector<uint8_t> hugeCount = current;
    hugeCount[8] = 0xFF;
    hugeCount[11] = 0x7F;
    rejected.push_back(hugeCount);

    for (const std::vector<uint8_t>& bytes : rejected) {
        EXPECT_FALSE(Frame().LoadBarState(bytes)) << bytes.size();
        EXPECT_EQ(current, Frame().SaveBarState());
    }
    EXPECT_TRUE(Frame().LoadBarState(placementsOf({{IDW_TOOLBAR, DockSide::Bottom, false}})));
    EXPECT_FALSE(Frame().IsControlBarVisible(IDW_TOOLBAR));
}

TEST_F(FrameworkBarsTest, MenuItemsAndButtonsPutTheirPromptIntoTheStatusBar)
{
    EXPECT_EQ(L"レディ", Message());
    const HWND frame = Frame().GetHwnd();
    const HMENU menu = GetMenu(frame);
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(IDT_VIEW_COMMAND, MF_STRING), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(L"ビューのコマンドを実行する", Message());
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(IDT_NO_TIP, MF_STRING), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(L"ヒントのないコマンド", Message());
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(L"", Message());
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(L"レディ", Message());

    NMTBHOTITEM hot{};
    hot.hdr.hwndFrom = Frame().toolBar.GetControl();
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_FILE_NEW;
    hot.dwFlags = HICF_MOUSE;
    SendMessageW(ToolBar(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(L"新しいファイルを作成", Message());
    hot.dwFlags = HICF_LEAVING;
    SendMessageW(ToolBar(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(L"レディ", Message());
}

TEST_F(FrameworkBarsTest, ToolTipsAreTheTextAfterTheLineBreak)
{
    const auto tipFor = [this](UINT id) {
        NMTTDISPINFOW info{};
        info.hdr.code = TTN_GETDISPINFOW;
        info.hdr.idFrom = id;
        SendMessageW(ToolBar(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::wstring(info.lpszText != nullptr ? info.lpszText : L"<none>");
    };
    EXPECT_EQ(L"ビューのコマンド", tipFor(IDT_VIEW_COMMAND));
    EXPECT_EQ(L"新規作成", tipFor(ID_FILE_NEW));
    EXPECT_EQ(L"", tipFor(IDT_NO_TIP));
    EXPECT_EQ(L"", tipFor(IDT_UNHANDLED));
}

TEST_F(FrameworkBarsTest, IndicatorsShowWhileTheirKeyIsToggledOn)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE toggled[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(toggled));
    toggled[VK_CAPITAL] = 1;
    toggled[VK_NUMLOCK] = 0;
    toggled[VK_SCROLL] = 1;
    toggled[VK_KANA] = 0;
    SetKeyboardState(toggled);
    app->OnIdle();
    const std::wstring shown[] = {Frame().statusBar.GetPaneText(1), Frame().statusBar.GetPaneText(2),
                                  Frame().statusBar.GetPaneText(3), Frame().statusBar.GetPaneText(4)};
    toggled[VK_CAPITAL] = 0;
    toggled[VK_KANA] = 1;
    SetKeyboardState(toggled);
    app->OnIdle();
    const std::wstring kana = Frame().statusBar.GetPaneText(1);
    const std::wstring caps = Frame().statusBar.GetPaneText(2);
    SetKeyboardState(keys);

    EXPECT_EQ(L"", shown[0]);
    EXPECT_EQ(L"CAP", shown[1]);
    EXPECT_EQ(L"", shown[2]);
    EXPECT_EQ(L"SCRL", shown[3]);
    EXPECT_EQ(L"ｶﾅ", kana);
    EXPECT_EQ(L"", caps);
}

}  // namespace
