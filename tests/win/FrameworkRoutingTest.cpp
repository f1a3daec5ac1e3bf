// Command routing and update-UI through a real frame with a splitter and two views.

#include "FrameworkTestSupport.h"

#include <commctrl.h>

using namespace fwtest;

namespace {

class FrameworkRoutingTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        NewDocument();
        handledLog().clear();
    }

    void Command(UINT id) { SendMessageW(Frame().GetHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The frame's menu popup at `position`, prepared as for opening.
    HMENU OpenedPopup(int position)
    {
        const HMENU popup = GetSubMenu(GetMenu(Frame().GetHwnd()), position);
        SendMessageW(Frame().GetHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, 0));
        return popup;
    }
    static bool IsGrayed(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    static bool IsChecked(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

    bool IsButtonEnabled(UINT id) const
    {
        return SendMessageW(Frame().toolBar.GetControl(), TB_ISBUTTONENABLED, id, 0) != 0;
    }
};

TEST_F(FrameworkRoutingTest, CommandsGoToTheActiveViewItsDocumentTheFrameAndTheApplication)
{
    Frame().SetActiveView(Frame().Left(), false);
    Command(IDT_VIEW_COMMAND);
    Frame().SetActiveView(Frame().Right(), false);
    Command(IDT_VIEW_COMMAND);
    Command(IDT_DOC_COMMAND);
    Command(IDT_FRAME_COMMAND);
    Command(IDT_APP_COMMAND);
    Command(IDT_UNHANDLED);

    EXPECT_EQ((std::vector<std::string>{"view:left", "view:right", "document", "frame", "app"}), handledLog());
    EXPECT_FALSE(Frame().RouteCommand(IDT_UNHANDLED));
}

TEST_F(FrameworkRoutingTest, ClickingAViewMakesItTheActiveOne)
{
    Frame().SetActiveView(Frame().Left(), false);
    SendMessageW(Frame().Right()->GetHwnd(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Frame().GetHwnd()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(Frame().Right(), Frame().GetActiveView());
    Command(IDT_VIEW_COMMAND);
    EXPECT_EQ(std::vector<std::string>{"view:right"}, handledLog());
}

TEST_F(FrameworkRoutingTest, MenuItemsAreEnabledExactlyWhenSomeoneHandlesThem)
{
    const HMENU test = OpenedPopup(2);
    EXPECT_FALSE(IsGrayed(test, IDT_VIEW_COMMAND));
    EXPECT_FALSE(IsGrayed(test, IDT_DOC_COMMAND));
    EXPECT_FALSE(IsGrayed(test, IDT_FRAME_COMMAND));
    EXPECT_FALSE(IsGrayed(test, IDT_APP_COMMAND));
    EXPECT_TRUE(IsGrayed(test, IDT_UNHANDLED));
    EXPECT_FALSE(IsGrayed(test, IDT_CHECKED));
    EXPECT_TRUE(IsChecked(test, IDT_CHECKED));
    EXPECT_TRUE(IsGrayed(test, IDT_REFUSED));

    const HMENU file = OpenedPopup(0);
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_APP_EXIT})
        EXPECT_FALSE(IsGrayed(file, id)) << id;
    EXPECT_TRUE(IsGrayed(file, ID_FILE_MRU_FILE1));  // the placeholder of an empty list

    const HMENU view = OpenedPopup(1);
    EXPECT_TRUE(IsChecked(view, ID_VIEW_TOOLBAR));
    EXPECT_TRUE(IsChecked(view, ID_VIEW_STATUS_BAR));
}

TEST_F(FrameworkRoutingTest, ADisabledCommandDoesNotRunEvenWithAHandler)
{
    Command(IDT_REFUSED);
    EXPECT_TRUE(handledLog().empty());
}

TEST_F(FrameworkRoutingTest, AcceleratorsRunEnabledCommandsOnly)
{
    bool documentTranslated = false;
    bool plainTranslated = false;
    {
        const HeldKeys control{VK_CONTROL};
        MSG documentKey{Frame().Left()->GetHwnd(), WM_KEYDOWN, 'D', 0x00200001, 0, {0, 0}};
        MSG refusedKey{Frame().Left()->GetHwnd(), WM_KEYDOWN, 'R', 0x00130001, 0, {0, 0}};
        MSG plainKey{Frame().Left()->GetHwnd(), WM_KEYDOWN, 'Q', 0x00100001, 0, {0, 0}};
        documentTranslated = app->PreTranslateMessage(documentKey);
        app->PreTranslateMessage(refusedKey);
        plainTranslated = app->PreTranslateMessage(plainKey);
    }

    EXPECT_TRUE(documentTranslated);
    EXPECT_FALSE(plainTranslated);
    EXPECT_EQ(std::vector<std::string>{"document"}, handledLog());
}

TEST_F(FrameworkRoutingTest, AnEditControlKeepsTheKeysOfCommandsThatCannotRun)
{
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, Frame().Left()->GetHwnd(),
                                      nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    const auto translated = [&](HWND target, WPARAM key) {
        const HeldKeys control{VK_CONTROL};
        MSG message{target, WM_KEYDOWN, key, 1, 0, {0, 0}};
        return app->PreTranslateMessage(message);
    };
    const bool refusedInEditTranslated = translated(edit, 'R');
    const bool documentInEditTranslated = translated(edit, 'D');
    const bool refusedInViewTranslated = translated(Frame().Left()->GetHwnd(), 'R');
    DestroyWindow(edit);

    EXPECT_FALSE(refusedInEditTranslated);
    EXPECT_TRUE(documentInEditTranslated);
    EXPECT_TRUE(refusedInViewTranslated) << "outside an edit the frame's keys stay the frame's";
    EXPECT_EQ(std::vector<std::string>{"document"}, handledLog());
}

TEST_F(FrameworkRoutingTest, AViewsOwnMenuRoutesFromThatView)
{
    Frame().SetActiveView(Frame().Left(), false);
    SendMessageW(Frame().Right()->GetHwnd(), WM_COMMAND, MAKEWPARAM(IDT_VIEW_COMMAND, 0), 0);
    SendMessageW(Frame().Right()->GetHwnd(), WM_COMMAND, MAKEWPARAM(IDT_FRAME_COMMAND, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"view:right", "frame"}), handledLog());

    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, IDT_UNHANDLED, L"x");
    AppendMenuW(popup, MF_STRING, IDT_VIEW_COMMAND, L"y");
    SendMessageW(Frame().Right()->GetHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_TRUE(IsGrayed(popup, IDT_UNHANDLED));
    EXPECT_FALSE(IsGrayed(popup, IDT_VIEW_COMMAND));
    DestroyMenu(popup);
}

TEST_F(FrameworkRoutingTest, ToolBarButtonsFollowTheCommandStateAtIdleAndRouteTheirClicks)
{
    app->OnIdle();
    EXPECT_TRUE(IsButtonEnabled(ID_FILE_NEW));
    EXPECT_TRUE(IsButtonEnabled(IDT_VIEW_COMMAND));
    EXPECT_FALSE(IsButtonEnabled(IDT_UNHANDLED));

    const HWND control = Frame().toolBar.GetControl();
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(IDT_VIEW_COMMAND, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(std::vector<std::string>{"view:left"}, handledLog());
}

TEST_F(FrameworkRoutingTest, ViewBarCommandsHideAndShowTheBars)
{
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(Frame().IsControlBarVisible(IDW_TOOLBAR));
    EXPECT_FALSE(IsChecked(OpenedPopup(1), ID_VIEW_TOOLBAR));
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(Frame().IsControlBarVisible(IDW_STATUS_BAR));

    // With both bars gone the splitter takes the whole client area.
    RECT client, splitter;
    GetClientRect(Frame().GetHwnd(), &client);
    GetClientRect(Frame().splitter.GetHwnd(), &splitter);
    EXPECT_EQ(client.bottom, splitter.bottom);

    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Frame().IsControlBarVisible(IDW_TOOLBAR));
}

struct TestHint : CObject {
    int value = 42;
};

TEST_F(FrameworkRoutingTest, UpdateAllViewsReachesEveryViewButTheSenderWithHintAndObject)
{
    TestView& left = *Frame().Left();
    TestView& right = *Frame().Right();
    left.updates.clear();
    right.updates.clear();
    TestHint hint;

    Document().UpdateAllViews(&left, 7, &hint);
    EXPECT_TRUE(left.updates.empty());
    ASSERT_EQ(1u, right.updates.size());
    EXPECT_EQ(&left, right.updates[0].sender);
    EXPECT_EQ(7, right.updates[0].hint);
    ASSERT_NE(nullptr, dynamic_cast<TestHint*>(right.updates[0].hintObject));
    EXPECT_EQ(42, dynamic_cast<TestHint*>(right.updates[0].hintObject)->value);

    Document().UpdateAllViews(nullptr, -1);
    EXPECT_EQ(1u, left.updates.size());
    EXPECT_EQ(2u, right.updates.size());
    EXPECT_EQ(nullptr, right.updates[1].hintObject);
}

TEST_F(FrameworkRoutingTest, NewReusesTheFrameAndGivesEveryViewAnInitialUpdate)
{
    TestFrame* frame = &Frame();
    EXPECT_EQ(1, frame->Left()->initialUpdates);
    EXPECT_EQ(1, frame->Right()->initialUpdates);
    EXPECT_EQ(L"無題 - RavloTest", WindowTitle());
    EXPECT_EQ(frame, app->GetMainWindow());

    Document().text = "old";
    Command(ID_FILE_NEW);  // unmodified: no question
    EXPECT_EQ(frame, &Frame());
    EXPECT_EQ(2, frame->Left()->initialUpdates);
    EXPECT_EQ(2, frame->Right()->initialUpdates);
    EXPECT_EQ("", Document().text);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FrameworkRoutingTest, TheSplitterGivesTheFirstColumnItsWidthAndTheBarMovesIt)
{
    int width = 0, minimum = 0;
    Frame().splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(150, width);

    const HWND splitter = Frame().splitter.GetHwnd();
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(152, 20));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(202, 20));
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(242, 20));
    Frame().splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(240, width);

    RECT right;
    GetWindowRect(Frame().Right()->GetHwnd(), &right);
    MapWindowPoints(nullptr, splitter, reinterpret_cast<POINT*>(&right), 2);
    EXPECT_EQ(240 + CSplitter::BarWidth, right.left);

    // A press beside the bar is no drag.
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 20));
    Frame().splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(240, width);
}

}  // namespace
