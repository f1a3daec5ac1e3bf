// The drop window: the command that opens and closes it, whether it opens at
// start, where it is placed and remembered, how it looks and behaves, and
// what dropping on it adds to the group the item list shows.

#include "RavloAppTestSupport.h"
#include "TestDataObject.h"
#include "app/CDropWindow.h"
#include "framework/Archive.h"
#include "framework/MemoryFile.h"
#include "model/BookXml.h"
#include "model/ItemRecord.h"
#include "model/TodayText.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"
#include "views/ItemDropSource.h"

#include <commctrl.h>

#include <cstdlib>

namespace {

using namespace apptest;

POINT centreOf(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HICON resourceIcon(UINT id)
{
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

std::wstring rowText(HWND list, int row)
{
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, 0, text, 256);
    return text;
}

std::string utf8Titles(const BookmarkItem& group)
{
    std::string titles;
    for (const ItemRef& child : group.children) titles += (titles.empty() ? "" : "|") + CodePage::toUtf8(child->title);
    return titles;
}

// Links as a browser drags them.
ComRef<dndtest::TestDataObject> browserLinks(const std::string& utf8Html)
{
    auto data = dndtest::TestDataObject::make();
    data->offer(dndtest::registeredFormat(L"HTML Format"), utf8Html + '\0');
    return data;
}

// Items in the program's own drag format: their records and their count.
ComRef<dndtest::TestDataObject> ownItems(const std::string& records, int32_t count)
{
    auto data = dndtest::TestDataObject::make();
    data->offer(dndtest::registeredFormat(L"Ravlo001"), records);
    data->offer(dndtest::registeredFormat(L"RavloCounter001"), dndtest::int32Bytes(count));
    return data;
}

std::string recordOf(const BookmarkItem& item)
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemRecord(archive, item, WriteNone);
    archive.close();
    return std::string(file.bytes().begin(), file.bytes().end());
}

class DropWindowTest : public RavloAppTest {
protected:
    CDropWindow* dropWindow() const { return document().dropWindow(); }
    HWND dropHwnd() const { return dropWindow() != nullptr ? dropWindow()->GetHwnd() : nullptr; }
    void toggle() { SendMessageW(frameWindow(), WM_COMMAND, ID_VIEW_DROP_WINDOW, 0); }

    bool menuChecked() const
    {
        const HMENU bar = GetMenu(frameWindow());
        for (int position = 0; position < GetMenuItemCount(bar); ++position) {
            const HMENU popup = GetSubMenu(bar, position);
            if (GetMenuState(popup, ID_VIEW_DROP_WINDOW, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
            SendMessageW(frameWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, 0));
            return (GetMenuState(popup, ID_VIEW_DROP_WINDOW, MF_BYCOMMAND) & MF_CHECKED) != 0;
        }
        ADD_FAILURE() << "no menu item for the drop window";
        return false;
    }
    HICON shownIcon() const
    {
        return reinterpret_cast<HICON>(SendDlgItemMessageW(dropHwnd(), IDC_DROP_ICON, STM_GETICON, 0, 0));
    }
    // Lets the timer run until the window shows another icon than `current`.
    HICON nextIcon(HICON current) const
    {
        const DWORD start = GetTickCount();
        while (shownIcon() == current && GetTickCount() - start < 3000) {
            fwtest::pumpMessages();
            Sleep(10);
        }
        return shownIcon();
    }

    // A book of two groups, the second shown in the list, and the window open.
    void openBookWithWindow()
    {
        const ItemRef root = BookmarkItem::create();
        root->addGroupChild("一番目", "2026/01/02")->addUrlChild("前", "http://before/", "", "2026/01/02");
        root->addGroupChild("二番目", "2026/01/02")->addUrlChild("既存", "http://old/", "", "2026/01/02");
        startWithBook(*root);
        TreeView_SelectItem(frame()->treeView()->treeControl(), reinterpret_cast<HTREEITEM>(shown().treeHandle));
        ASSERT_EQ(&shown(), frame()->listView()->shownGroup());
        toggle();
        ASSERT_NE(nullptr, dropWindow());
        document().SetModifiedFlag(false);
    }
    void startWithBook(const BookmarkItem& root)
    {
        const std::string book = settings.File("drop.rvl");
        ASSERT_TRUE(saveBook(book, root));
        commandLine = CCommandLineInfo::FromArguments({CodePage::toWide(book)});
        ASSERT_TRUE(start());
    }
    BookmarkItem& shown() const { return *document().rootItem()->children.back(); }
    BookmarkItem& other() const { return *document().rootItem()->children.front(); }
    DWORD dropOnWindow(IDataObject* data, DWORD enterKeys = 0, DWORD dropKeys = 0)
    {
        const POINT at = centreOf(windowRect(dropHwnd()));
        dropWindow()->OnDragEnter(data, enterKeys, at);
        dropWindow()->OnDragOver(data, dropKeys, at);
        return dropWindow()->OnDrop(data, dropKeys, at);
    }
    void expectNothingAdded()
    {
        EXPECT_EQ(u8"既存", utf8Titles(shown()));
        EXPECT_EQ(u8"前", utf8Titles(other()));
        EXPECT_FALSE(document().IsModified());
        EXPECT_FALSE(dropWindow()->isAnimating());
        EXPECT_EQ(resourceIcon(IDR_MAINFRAME), shownIcon());
    }
};

// ------------------------------------------------------------------ opening and closing

TEST_F(DropWindowTest, TheCommandOpensAndClosesTheWindowAndTheMenuShowsWhetherItIsOpen)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(nullptr, dropWindow());
    EXPECT_FALSE(menuChecked());

    toggle();
    const HWND hwnd = dropHwnd();
    ASSERT_NE(nullptr, hwnd);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(menuChecked());

    toggle();
    EXPECT_EQ(nullptr, dropWindow());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(menuChecked());
}

TEST_F(DropWindowTest, FirstModeAndPrevOpenDecideWhetherTheFirstBookOpensTheWindow)
{
    struct Case {
        int firstMode;
        int prevOpen;
        bool opens;
    };
    for (const Case c : {Case{0, 0, true}, Case{1, 1, false}, Case{2, 1, true}, Case{2, 0, false}}) {
        writeOptions([&](AppOptions& options) {
            options.FirstMode = c.firstMode;
            options.PrevOpen = c.prevOpen;
        });
        ASSERT_TRUE(start());
        EXPECT_EQ(c.opens, dropWindow() != nullptr) << c.firstMode << "/" << c.prevOpen;
        EXPECT_EQ(c.opens, menuChecked()) << c.firstMode << "/" << c.prevOpen;
        app.reset();
    }
}

TEST_F(DropWindowTest, LaterNewAndOpenLeaveTheWindowAlone)
{
    const std::string book = settings.File("later.rvl");
    const ItemRef root = BookmarkItem::create();
    root->addGroupChild("後", "2026/01/02");
    ASSERT_TRUE(saveBook(book, *root));
    writeOptions([](AppOptions& options) { options.FirstMode = 0; });
    ASSERT_TRUE(start());
    ASSERT_NE(nullptr, dropWindow());
    toggle();

    app->OnFileNew();
    EXPECT_EQ(nullptr, dropWindow());
    ASSERT_NE(nullptr, app->OpenDocumentFile(book));
    EXPECT_EQ(nullptr, dropWindow());
}

TEST_F(DropWindowTest, ClosingTheProgramRecordsWhetherTheWindowWasOpen)
{
    ASSERT_TRUE(start());
    toggle();
    SendMessageW(frameWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(1, app->options().PrevOpen);
    app->ExitInstance();
    app.reset();
    EXPECT_EQ(1, savedOptions().PrevOpen);

    // So it opens at the next start; closed before the end, it stays closed the time after.
    ASSERT_TRUE(start());
    ASSERT_NE(nullptr, dropWindow());
    toggle();
    SendMessageW(frameWindow(), WM_CLOSE, 0, 0);
    app->ExitInstance();
    app.reset();
    EXPECT_EQ(0, savedOptions().PrevOpen);
}

TEST_F(DropWindowTest, AltF4ClosesTheWindowAndTheDocumentForgetsItButEnterDoesNothing)
{
    ASSERT_TRUE(start());
    toggle();
    const HWND hwnd = dropHwnd();
    SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(hwnd, dropHwnd());

    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, dropWindow());
    EXPECT_FALSE(menuChecked());
    EXPECT_EQ(1, savedOptions().UsePosition);
}

// ------------------------------------------------------------------ look and handling

TEST_F(DropWindowTest, ItIsATopmostCaptionlessToolWindowOfItsOwnShowingTheProgramIcon)
{
    ASSERT_TRUE(start());
    toggle();
    const HWND hwnd = dropHwnd();
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_NE(0, exStyle & WS_EX_TOPMOST);
    EXPECT_NE(0, exStyle & WS_EX_TOOLWINDOW);
    EXPECT_NE(0, style & WS_POPUP);
    EXPECT_NE(0, style & WS_BORDER);
    EXPECT_NE(0, style & WS_SYSMENU);
    EXPECT_EQ(0, style & WS_DLGFRAME);  // with WS_BORDER that would be a caption
    EXPECT_EQ(nullptr, GetWindow(hwnd, GW_OWNER));
    EXPECT_EQ(L"", windowText(hwnd));
    EXPECT_EQ(resourceIcon(IDR_MAINFRAME), shownIcon());
    // Pressing anywhere drags it like a caption would.
    const POINT centre = centreOf(windowRect(hwnd));
    EXPECT_EQ(HTCAPTION, SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)));
    // It stays when the main window goes into the notification area.
    ShowWindow(frameWindow(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(frameWindow()));
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(DropWindowTest, ADoubleClickBringsBackTheHiddenMainWindow)
{
    ASSERT_TRUE(start());
    toggle();
    ShowWindow(frameWindow(), SW_MINIMIZE);
    ASSERT_FALSE(IsWindowVisible(frameWindow()));
    const POINT centre = centreOf(windowRect(dropHwnd()));
    SendMessageW(dropHwnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(centre.x, centre.y));
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_FALSE(IsIconic(frameWindow()));
    EXPECT_NE(nullptr, dropWindow());
}

// ------------------------------------------------------------------ placement

TEST_F(DropWindowTest, NeverClosedItOpensCentredThenWhereItWasLastClosed)
{
    ASSERT_TRUE(start());
    toggle();
    const POINT centre = centreOf(windowRect(dropHwnd()));
    const POINT workCentre = centreOf(workArea());
    EXPECT_LE(std::abs(centre.x - workCentre.x), 1);
    EXPECT_LE(std::abs(centre.y - workCentre.y), 1);

    SetWindowPos(dropHwnd(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    toggle();
    const AppOptions saved = savedOptions();
    EXPECT_EQ(1, saved.UsePosition);
    EXPECT_EQ(123, saved.WindowPositionX);
    EXPECT_EQ(77, saved.WindowPositionY);
    toggle();
    EXPECT_EQ(123, windowRect(dropHwnd()).left);
    EXPECT_EQ(77, windowRect(dropHwnd()).top);
}

TEST_F(DropWindowTest, OpenPositionZeroAlwaysCentresButTheLastPositionIsStillRecorded)
{
    writeOptions([](AppOptions& options) {
        options.OpenPosition = 0;
        options.UsePosition = 1;
        options.WindowPositionX = 10;
        options.WindowPositionY = 20;
    });
    ASSERT_TRUE(start());
    toggle();
    const POINT workCentre = centreOf(workArea());
    EXPECT_LE(std::abs(centreOf(windowRect(dropHwnd())).x - workCentre.x), 1);

    SetWindowPos(dropHwnd(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    toggle();
    EXPECT_EQ(200, savedOptions().WindowPositionX);
    EXPECT_EQ(150, savedOptions().WindowPositionY);
    toggle();
    EXPECT_LE(std::abs(centreOf(windowRect(dropHwnd())).y - workCentre.y), 1);
}

TEST_F(DropWindowTest, APositionNoScreenShowsAnyMoreComesBackIntoTheWorkArea)
{
    const RECT work = workArea();
    writeOptions([](AppOptions& options) {
        options.UsePosition = 1;
        options.WindowPositionX = -20000;
        options.WindowPositionY = 30000;
    });
    ASSERT_TRUE(start());
    toggle();
    const RECT placed = windowRect(dropHwnd());
    EXPECT_EQ(work.left, placed.left);
    EXPECT_EQ(work.bottom, placed.bottom);
    toggle();
    app.reset();

    // Partly on the screen, the window keeps the position it was given.
    writeOptions([&](AppOptions& options) {
        options.WindowPositionX = work.right - 5;
        options.WindowPositionY = 40;
    });
    ASSERT_TRUE(start());
    toggle();
    EXPECT_EQ(work.right - 5, windowRect(dropHwnd()).left);
}

// ------------------------------------------------------------------ dropping

TEST_F(DropWindowTest, ADroppedLinkLandsAtTheEndOfTheShownGroupAndTheIconAnimates)
{
    openBookWithWindow();
    const auto link = browserLinks(u8"<a href=\"http://drop/\">落とした</a>");
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), dropOnWindow(link.get()));

    EXPECT_EQ(u8"既存|落とした", utf8Titles(shown()));
    const BookmarkItem& dropped = *shown().children.back();
    EXPECT_EQ(ItemType::Url, dropped.type);
    EXPECT_EQ("http://drop/", dropped.url);
    EXPECT_EQ(todayText(), dropped.date);
    EXPECT_EQ(&shown(), dropped.parent);
    EXPECT_EQ(u8"前", utf8Titles(other()));
    const HWND list = frame()->listView()->listControl();
    ASSERT_EQ(2, ListView_GetItemCount(list));
    EXPECT_EQ(L"落とした", rowText(list, 1));
    EXPECT_TRUE(document().IsModified());

    EXPECT_TRUE(dropWindow()->isAnimating());
    EXPECT_EQ(resourceIcon(IDI_DROP_FRAME1), shownIcon());
    EXPECT_EQ(resourceIcon(IDI_DROP_FRAME2), nextIcon(resourceIcon(IDI_DROP_FRAME1)));
    EXPECT_EQ(resourceIcon(IDR_MAINFRAME), nextIcon(resourceIcon(IDI_DROP_FRAME2)));
    EXPECT_FALSE(dropWindow()->isAnimating());
}

TEST_F(DropWindowTest, EachTimerTickShowsTheNextFrameUntilTheIconIsBack)
{
    openBookWithWindow();
    dropOnWindow(browserLinks(u8"<a href=\"http://drop/\">x</a>").get());
    SendMessageW(dropHwnd(), WM_TIMER, CDropWindow::AnimationTimerId, 0);
    EXPECT_EQ(resourceIcon(IDI_DROP_FRAME2), shownIcon());
    EXPECT_TRUE(dropWindow()->isAnimating());
    SendMessageW(dropHwnd(), WM_TIMER, CDropWindow::AnimationTimerId, 0);
    EXPECT_EQ(resourceIcon(IDR_MAINFRAME), shownIcon());
    EXPECT_FALSE(dropWindow()->isAnimating());
}

TEST_F(DropWindowTest, ThreeLinksAtOnceKeepTheirOrder)
{
    openBookWithWindow();
    std::string records;
    for (const char* title : {"一", "二", "三"}) {
        const ItemRef link = BookmarkItem::create();
        link->makeUrl(title, "http://three/", "", "2026/03/04");
        records += recordOf(*link);
    }
    dropOnWindow(ownItems(records, 3).get());
    EXPECT_EQ(u8"既存|一|二|三", utf8Titles(shown()));
    const HWND list = frame()->listView()->listControl();
    ASSERT_EQ(4, ListView_GetItemCount(list));
    EXPECT_EQ(L"三", rowText(list, 3));
}

TEST_F(DropWindowTest, TheEffectChosenOnEnteringHoldsWhateverKeysFollow)
{
    openBookWithWindow();
    const ItemRef item = BookmarkItem::create();
    item->makeUrl("自前", "http://own/", "メモ", "2001/02/03");
    const auto data = ownItems(recordOf(*item), 1);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), dropOnWindow(data.get(), 0, MK_CONTROL));
    EXPECT_EQ(u8"既存|自前", utf8Titles(shown()));
    EXPECT_EQ("2001/02/03", shown().children.back()->date);
}

TEST_F(DropWindowTest, PlainTextAndTheDraggedShownGroupAreRefused)
{
    openBookWithWindow();
    auto text = dndtest::TestDataObject::make();
    text->offer(CF_TEXT, "http://plain/");
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dropOnWindow(text.get()));
    expectNothingAdded();

    shown().setDragging(1);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dropOnWindow(browserLinks("<a href=\"http://x/\">x</a>").get()));
    shown().setDragging(0);
    expectNothingAdded();
}

TEST_F(DropWindowTest, ABadRecordOfOurOwnFormatIsReportedAndAddsNothing)
{
    openBookWithWindow();
    ui.answers = {IDOK};
    // A link record with three strings where a record needs at least four.
    const std::string shortRecord = dndtest::int32Bytes(1) + dndtest::int32Bytes(0) + dndtest::int32Bytes(3) +
                                    dndtest::int32Bytes(1) + "a" + dndtest::int32Bytes(1) + "b" +
                                    dndtest::int32Bytes(1) + "c";
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dropOnWindow(ownItems(shortRecord, 1).get()));
    EXPECT_EQ(1u, ui.messages.size());
    expectNothingAdded();
}

TEST_F(DropWindowTest, WithoutAShownGroupADropAddsNothing)
{
    startWithBook(*BookmarkItem::create());
    toggle();
    ASSERT_EQ(nullptr, document().currentGroup());
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dropOnWindow(browserLinks("<a href=\"http://x/\">x</a>").get()));
    EXPECT_TRUE(document().rootItem()->children.empty());
    EXPECT_FALSE(document().IsModified());
    EXPECT_FALSE(dropWindow()->isAnimating());
}

TEST_F(DropWindowTest, ARealDragTakesTheLinkWhileTheMainWindowIsHidden)
{
    openBookWithWindow();
    ShowWindow(frameWindow(), SW_MINIMIZE);
    ASSERT_FALSE(IsWindowVisible(frameWindow()));
    const POINT centre = centreOf(windowRect(dropHwnd()));
    SetCursorPos(centre.x, centre.y);

    // No mouse button is down here, so the drop source drops at once.
    const auto link = browserLinks(u8"<a href=\"http://real/\">本物</a>");
    const ComRef<ItemDropSource> source(new ItemDropSource);
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(DRAGDROP_S_DROP, DoDragDrop(link.get(), source.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_EQ(u8"既存|本物", utf8Titles(shown()));

    SendMessageW(frameWindow(), WM_COMMAND, ID_WINDOW_RESTORE, 0);
    EXPECT_EQ(L"本物", rowText(frame()->listView()->listControl(), 1));
}

}  // namespace
