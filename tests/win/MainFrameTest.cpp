// The main window: placement and docking from the options and back into
// them, the two panes, and the notification-area behaviour.

#include "RavloAppTestSupport.h"
#include "app/HexText.h"
#include "framework/CToolBar.h"
#include "framework/DockState.h"
#include "framework/resource_fw.h"
#include "model/BookXml.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

using namespace apptest;

// The command of each button of the bar, 0 for a separator.
std::vector<int> commandsOf(const CToolBar& bar)
{
    std::vector<int> commands;
    const HWND control = bar.GetControl();
    const auto count = SendMessageW(control, TB_BUTTONCOUNT, 0, 0);
    for (WPARAM index = 0; index < static_cast<WPARAM>(count); ++index) {
        TBBUTTON button{};
        SendMessageW(control, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
        commands.push_back(button.fsStyle & BTNS_SEP ? 0 : button.idCommand);
    }
    return commands;
}

int paneWidth(const CView* view)
{
    const RECT rect = windowRect(view->GetHwnd());
    return rect.right - rect.left;
}

std::string dockStateText(DockSide toolBarSide)
{
    DockState state;
    state.bars = {{IDW_TOOLBAR, toolBarSide, true}, {IDW_STATUS_BAR, DockSide::Bottom, true}};
    return HexText::encode(state.ToBytes());
}

void storeCompleteGeometry(AppOptions& options, const std::string& dockState)
{
    WindowInfo& info = options.windowInfo;
    info.Restore = 1;
    info.Left = 50;
    info.Top = 60;
    info.Right = 850;
    info.Bottom = 660;
    info.treeWidth = 260;
    info.treeHeight = 300;
    info.titleWidth = 111;
    info.urlWidth = 122;
    info.messageWidth = 133;
    info.dateWidth = 144;
    info.DockState = dockState;
}

std::wstring treeText(HWND tree, HTREEITEM entry)
{
    wchar_t text[256] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = entry;
    item.pszText = text;
    item.cchTextMax = 256;
    TreeView_GetItem(tree, &item);
    return text;
}

std::wstring listText(HWND list, int row, int column)
{
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, 256);
    return text;
}

// Picks the entry with `accessKey` in each popup menu that opens meanwhile.
struct MenuChoice {
    explicit MenuChoice(wchar_t accessKey) { key = accessKey; }
    ~MenuChoice() { KillTimer(nullptr, timer); }
    static inline wchar_t key = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu != nullptr && IsWindowVisible(menu)) PostMessageW(menu, WM_CHAR, key, 0);
    });
};

using MainFrameTest = RavloAppTest;

TEST_F(MainFrameTest, FirstStartUsesTheDefaultPlacementTreeWidthAndDocking)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(200, paneWidth(frame()->treeView()));
    EXPECT_EQ(DockSide::Top, frame()->GetToolBar()->GetDockSide());
    EXPECT_EQ(commandsOf(*frame()->GetToolBar()), (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_HTML_OUTPUT, 0,
                                                   ID_PARENT_GROUP, 0, ID_APP_ABOUT, ID_HELP_CONTENTS}));
    EXPECT_TRUE(frame()->IsControlBarVisible(IDW_STATUS_BAR));
    HWND list = frame()->listView()->listControl();
    EXPECT_EQ(120, ListView_GetColumnWidth(list, 0));
    EXPECT_EQ(80, ListView_GetColumnWidth(list, 3));
}

TEST_F(MainFrameTest, CompleteWindowInformationPlacesTheWindowPanesAndToolBar)
{
    writeOptions([](AppOptions& options) { storeCompleteGeometry(options, dockStateText(DockSide::Left)); });
    ASSERT_TRUE(start());
    const RECT placed = windowRect(frameWindow());
    EXPECT_EQ(50, placed.left);
    EXPECT_EQ(60, placed.top);
    EXPECT_EQ(850, placed.right);
    EXPECT_EQ(660, placed.bottom);
    EXPECT_EQ(260, paneWidth(frame()->treeView()));
    EXPECT_EQ(DockSide::Left, frame()->GetToolBar()->GetDockSide());
    HWND list = frame()->listView()->listControl();
    EXPECT_EQ(111, ListView_GetColumnWidth(list, 0));
    EXPECT_EQ(144, ListView_GetColumnWidth(list, 3));
}

TEST_F(MainFrameTest, AWindowSavedOnAMonitorThatIsGoneOpensOnTheScreen)
{
    writeOptions([](AppOptions& options) {
        storeCompleteGeometry(options, dockStateText(DockSide::Top));
        WindowInfo& info = options.windowInfo;
        info.Left = info.Top = 100000;
        info.Right = info.Bottom = 100400;
    });
    ASSERT_TRUE(start());
    const RECT placed = windowRect(frameWindow());
    EXPECT_EQ(workArea().right, placed.right);
    EXPECT_EQ(workArea().bottom, placed.bottom);
    EXPECT_EQ(400, placed.right - placed.left);
}

TEST_F(MainFrameTest, ADockStateTheBarsCannotTakeKeepsTheDefaultDocking)
{
    for (const std::string& broken : {std::string(), std::string("ZZ"), dockStateText(DockSide::Left).substr(3),
                                      std::string(40, 'F')}) {
        writeOptions([&](AppOptions& options) { storeCompleteGeometry(options, broken); });
        ASSERT_TRUE(start()) << broken;
        EXPECT_EQ(DockSide::Top, frame()->GetToolBar()->GetDockSide()) << broken;
        EXPECT_TRUE(IsWindow(frameWindow()));
        app.reset();
    }
}

TEST_F(MainFrameTest, DestroyingTheWindowRecordsGeometryDockingAndColumnWidths)
{
    ASSERT_TRUE(start());
    MoveWindow(frameWindow(), 15, 25, 640, 480, TRUE);
    frame()->DockToolBar(DockSide::Right);
    ListView_SetColumnWidth(frame()->listView()->listControl(), 2, 321);
    const int treeWidth = paneWidth(frame()->treeView());
    SendMessageW(frameWindow(), WM_CLOSE, 0, 0);

    const WindowInfo& info = app->options().windowInfo;
    EXPECT_EQ(15, info.Left);
    EXPECT_EQ(25, info.Top);
    EXPECT_EQ(655, info.Right);
    EXPECT_EQ(505, info.Bottom);
    EXPECT_EQ(treeWidth, info.treeWidth);
    EXPECT_EQ(321, info.messageWidth);
    EXPECT_EQ(dockStateText(DockSide::Right), info.DockState);
}

TEST_F(MainFrameTest, TheRecordedLayoutComesBackAtTheNextStart)
{
    ASSERT_TRUE(start());
    MoveWindow(frameWindow(), 70, 80, 720, 520, TRUE);
    frame()->DockToolBar(DockSide::Bottom);
    SendMessageW(frameWindow(), WM_CLOSE, 0, 0);
    app->ExitInstance();
    app.reset();

    ASSERT_TRUE(start());
    EXPECT_EQ(70, windowRect(frameWindow()).left);
    EXPECT_EQ(520, windowRect(frameWindow()).bottom - windowRect(frameWindow()).top);
    EXPECT_EQ(DockSide::Bottom, frame()->GetToolBar()->GetDockSide());
}

TEST_F(MainFrameTest, TheWindowShowsTheBookAndSavesItThroughTheDocument)
{
    ASSERT_TRUE(start());
    const std::string book = settings.File("本.rvl");
    const ItemRef root = BookmarkItem::create();
    const ItemRef group = root->addGroupChild("グループ", "2026/12/01");
    group->addUrlChild("リンク & <例>", "http://example.com/", "メモ", "2026/12/02");
    group->addGroupChild("下位", "2026/12/03");
    ASSERT_TRUE(saveBook(book, *root));

    ASSERT_NE(nullptr, app->OpenDocumentFile(book));
    const HWND tree = frame()->treeView()->treeControl();
    const HTREEITEM top = TreeView_GetRoot(tree);
    EXPECT_EQ(L"グループ", treeText(tree, top));
    EXPECT_EQ(L"下位", treeText(tree, TreeView_GetChild(tree, top)));
    const HWND list = frame()->listView()->listControl();
    ASSERT_EQ(2, ListView_GetItemCount(list));
    EXPECT_EQ(L"リンク & <例>", listText(list, 0, 0));
    EXPECT_EQ(L"http://example.com/", listText(list, 0, 1));
    EXPECT_EQ(L"メモ", listText(list, 0, 2));
    EXPECT_EQ(L"2026/12/02", listText(list, 0, 3));
    EXPECT_EQ(L"本.rvl - Ravlo", windowText(frameWindow()));

    document().rootItem()->children.front()->title = "変更後";
    document().SetModifiedFlag();
    SendMessageW(frameWindow(), WM_COMMAND, ID_FILE_SAVE, 0);
    EXPECT_FALSE(document().IsModified());
    const ItemRef reread = BookmarkItem::create();
    ASSERT_EQ(BookLoad::Read, loadBook(book, *reread));
    EXPECT_EQ("変更後", reread->children.front()->title);
    EXPECT_EQ(book, app->options().LastFile);
}

TEST_F(MainFrameTest, ARestoredBackupOpensUntitledSoThatSavingItAsksForAName)
{
    ASSERT_TRUE(start());
    CreateDirectoryW(CodePage::toWide(settings.File("backup")).c_str(), nullptr);
    const ItemRef root = BookmarkItem::create();
    root->addGroupChild("以前の版", "2024/01/02");
    ASSERT_TRUE(saveBook(settings.File("backup\\本-20240102-030405.rvl"), *root));
    int rows = 0;
    ModalDriver restore(
        [&rows](HWND dialog) {
            rows = ListView_GetItemCount(GetDlgItem(dialog, IDC_BACKUP_LIST));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        L"バックアップから復元");

    SendMessageW(frameWindow(), WM_COMMAND, ID_FILE_RESTORE_BACKUP, 0);

    EXPECT_EQ(1, rows);
    EXPECT_EQ("以前の版", document().rootItem()->children.front()->title);
    EXPECT_EQ(L"無題 - Ravlo", windowText(frameWindow()));
    EXPECT_TRUE(document().IsModified());
    ui.fileChoices = {{}};
    SendMessageW(frameWindow(), WM_COMMAND, ID_FILE_SAVE, 0);
    EXPECT_EQ(1u, ui.fileRequests.size());
}

TEST_F(MainFrameTest, AFailedOpenThatReleasedTheBookShowsANewBookInBothPanes)
{
    ASSERT_TRUE(start());
    const std::string good = settings.File("good.rvl");
    const ItemRef root = BookmarkItem::create();
    root->addGroupChild("古い本", "2026/12/01")->addUrlChild("古いリンク", "http://old.example/", "", "2026/12/01");
    ASSERT_TRUE(saveBook(good, *root));
    ASSERT_NE(nullptr, app->OpenDocumentFile(good));
    // A stream book whose root announces a child that never comes.
    const std::string bad = settings.File("bad.rvl");
    {
        std::FILE* file = _wfopen(CodePage::toWide(bad).c_str(), L"wb");
        ASSERT_NE(nullptr, file);
        const char bytes[] = "Ravlo001\0\0\0\0\1\0\0\0\4\0\0\0";
        std::fwrite(bytes, 1, sizeof bytes - 1, file);
        std::fclose(file);
    }
    ui.answers = {IDOK};
    EXPECT_EQ(nullptr, app->OpenDocumentFile(bad));

    ASSERT_EQ(1u, ui.messages.size());
    const HWND tree = frame()->treeView()->treeControl();
    EXPECT_EQ(1, TreeView_GetCount(tree));
    EXPECT_EQ(L"マイブックマーク", treeText(tree, TreeView_GetRoot(tree)));
    EXPECT_EQ(document().rootItem()->children.front().get(), frame()->listView()->shownGroup());
    EXPECT_EQ(0, ListView_GetItemCount(frame()->listView()->listControl()));
    EXPECT_EQ(L"Default - Ravlo", windowText(frameWindow()));
}

class TrayTest : public RavloAppTest {
protected:
    void startWith(int taskTray, int minimumIcon)
    {
        writeOptions([&](AppOptions& options) {
            options.windowInfo.TaskTray = taskTray;
            options.windowInfo.MinimumIcon = minimumIcon;
        });
        ASSERT_TRUE(start());
    }
    void minimize() { ShowWindow(frameWindow(), SW_MINIMIZE); }
    void switchOptions(int taskTray, int minimumIcon)
    {
        app->options().windowInfo.TaskTray = taskTray;
        app->options().windowInfo.MinimumIcon = minimumIcon;
        SendMessageW(frameWindow(), WM_COMMAND, ID_OPTIONS_UPDATED, 0);
    }
};

TEST_F(TrayTest, IconWithoutHidingKeepsTheMinimisedWindowOnTheTaskBar)
{
    startWith(1, 0);
    EXPECT_NE(0, frame()->trayIconId());
    minimize();
    EXPECT_TRUE(IsIconic(frameWindow()));
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_EQ(1u, ScriptedTray::shown().size());
}

TEST_F(TrayTest, HidingNeedsTheIconToo)
{
    startWith(0, 1);
    EXPECT_EQ(0, frame()->trayIconId());
    minimize();
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_TRUE(ScriptedTray::shown().empty());
}

TEST_F(TrayTest, AMinimisedWindowHidesAndADoubleClickOnTheIconBringsItBack)
{
    startWith(1, 1);
    minimize();
    EXPECT_FALSE(IsWindowVisible(frameWindow()));
    ASSERT_EQ(1u, ScriptedTray::shown().size());

    const NOTIFYICONDATAW& icon = ScriptedTray::shown().begin()->second;
    SendMessageW(icon.hWnd, icon.uCallbackMessage, icon.uID, WM_RBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(frameWindow()));
    SendMessageW(icon.hWnd, icon.uCallbackMessage, icon.uID, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_FALSE(IsIconic(frameWindow()));
}

TEST_F(TrayTest, TheIconsMenuShowsTheWindowAgainOrEndsTheProgram)
{
    startWith(1, 1);
    minimize();
    const auto chooseFromTheMenu = [icon = ScriptedTray::shown().begin()->second](wchar_t accessKey) {
        const MenuChoice choice(accessKey);
        SendMessageW(icon.hWnd, icon.uCallbackMessage, icon.uID, WM_RBUTTONUP);
        fwtest::pumpMessages();
    };
    chooseFromTheMenu(L's');
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_FALSE(IsIconic(frameWindow()));
    chooseFromTheMenu(L'x');
    EXPECT_EQ(nullptr, app->GetMainWindow());
}

TEST_F(TrayTest, SwitchingTheOptionsOffBringsAHiddenWindowBackMinimised)
{
    startWith(1, 1);
    minimize();
    ASSERT_FALSE(IsWindowVisible(frameWindow()));
    switchOptions(0, 0);
    EXPECT_EQ(0, frame()->trayIconId());
    EXPECT_TRUE(ScriptedTray::shown().empty());
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_TRUE(IsIconic(frameWindow()));

    switchOptions(1, 0);
    EXPECT_NE(0, frame()->trayIconId());
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
}

TEST_F(TrayTest, ARefusedIconIsTriedAgainAtTheNextOptionsUpdate)
{
    CTrayIcon::shellNotify = [](DWORD, PNOTIFYICONDATAW) -> BOOL { return FALSE; };
    startWith(1, 0);
    EXPECT_EQ(0, frame()->trayIconId());
    CTrayIcon::shellNotify = ScriptedTray::notify;
    switchOptions(1, 0);
    EXPECT_NE(0, frame()->trayIconId());
}

}  // namespace
