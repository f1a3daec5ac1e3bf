// What the user does in the group tree: creating items in the selected
// group, editing, deleting, renaming in place, the context menu and the
// keys, checked through the book and what both panes show afterwards.

#include "BookViewsTestSupport.h"
#include "ModalDriver.h"
#include "ThreadWindows.h"
#include "views/ViewControls.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace viewtest;

std::vector<std::string> menuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
        texts.push_back(utf8(text));
    }
    return texts;
}

// Reads the popup menu being tracked, then closes it or chooses its last
// command with the keyboard, from a thread timer inside the menu's loop.
struct MenuWatch {
    enum class Action { Close, ChooseLast };
    Action action;
    std::vector<std::string> texts;

    static MenuWatch& current()
    {
        static MenuWatch watch;
        return watch;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD)
    {
        MenuWatch& watch = current();
        const HWND menuWindow = findThreadWindow(L"#32768");
        if (menuWindow == nullptr || !watch.texts.empty()) return;
        watch.texts = menuTexts(reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
        if (watch.action == Action::Close) {
            EndMenu();
            return;
        }
        PostMessageW(menuWindow, WM_KEYDOWN, VK_UP, 0);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    }
};

class TreeCommandsTest : public BookViewsTest {
protected:
    void SetUp() override
    {
        BookViewsTest::SetUp();
        OpenSampleBook();
    }

    CSTreeBookView& TreeView() const { return Frame().Tree(); }

    void Select(const BookmarkItem& group) { TreeView_SelectItem(Tree(), entryOf(group)); }
    // The list shows `group` while the tree keeps its selection, as after
    // the tree opened it.
    void ShowInList(BookmarkItem& group)
    {
        UpdateHint open;
        open.group = &group;
        Document().UpdateAllViews(&TreeView(), HintOpenGroup, &open);
    }
    // A command of the tree's context menu.
    void Command(UINT id) { SendMessageW(TreeView().GetHwnd(), WM_COMMAND, id, 0); }

    void KeyDown(UINT key, bool control = false)
    {
        const HeldKeys held(control ? std::initializer_list<int>{VK_CONTROL} : std::initializer_list<int>{});
        SendMessageW(Tree(), WM_KEYDOWN, key, 1);
    }

    // Runs `trigger`, which should open the item dialog, and `action` on
    // that dialog; true when it came up.
    bool WithDialog(const std::function<void()>& trigger, const std::function<void(HWND)>& action)
    {
        bool shown = false;
        ModalDriver driver([&](HWND dialog) {
            shown = true;
            action(dialog);
        });
        trigger();
        return shown;
    }
    // Lets the dialog of `trigger` come up and closes it with `button`,
    // after typing `title` when one is given.
    bool AnswerDialog(const std::function<void()>& trigger, int button, const wchar_t* title = nullptr)
    {
        return WithDialog(trigger, [&](HWND dialog) {
            if (title != nullptr) SetDlgItemTextW(dialog, IDC_ITEM_TITLE, title);
            PostMessageW(dialog, WM_COMMAND, button, 0);
        });
    }

    // Renames the selected entry through its edit box; `cancel` presses
    // Escape in it.
    void Rename(const wchar_t* text, bool cancel)
    {
        Command(ID_ITEM_RENAME);
        const HWND edit = TreeView_GetEditControl(Tree());
        ASSERT_NE(nullptr, edit);
        SetWindowTextW(edit, text);
        if (cancel)
            SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
        else
            SendMessageW(Tree(), TVM_ENDEDITLABELNOW, FALSE, 0);
    }

    using MenuAction = MenuWatch::Action;
    // A right click whose mouse message was at `screen`; returns the texts
    // of the menu that came up (none when none did), which is then closed
    // or its last command chosen.
    std::vector<std::string> RightClickAt(POINT screen, MenuAction action)
    {
        // The click's position is that of the last message taken from the queue.
        SetCursorPos(screen.x, screen.y);
        PostMessageW(Tree(), WM_NULL, 0, 0);
        MSG taken;
        PeekMessageW(&taken, Tree(), WM_NULL, WM_NULL, PM_REMOVE);
        EXPECT_EQ(MAKELONG(screen.x, screen.y), static_cast<LONG>(GetMessagePos()));

        MenuWatch& watch = MenuWatch::current();
        watch = {action, {}};
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, MenuWatch::tick);
        NMHDR click{Tree(), ViewControls::ControlId, static_cast<UINT>(NM_RCLICK)};
        SendMessageW(TreeView().GetHwnd(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
        KillTimer(nullptr, timer);
        return watch.texts;
    }

    std::string EntryTitle(const BookmarkItem& item) const { return readEntry(Tree(), entryOf(item)).title; }
    BookmarkItem* SelectedItem() const { return readEntry(Tree(), TreeView_GetSelection(Tree())).item; }
    ItemRef RefAt(BookmarkItem& group, long index) const { return *group.children.findIndex(index); }
};


std::vector<UINT> menuIds(HMENU menu)
{
    std::vector<UINT> ids;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) ids.push_back(GetMenuItemID(menu, position));
    return ids;
}

POINT screenCenterOf(HWND tree, HTREEITEM entry)
{
    RECT text{};
    TreeView_GetItemRect(tree, entry, &text, TRUE);
    POINT center{(text.left + text.right) / 2, (text.top + text.bottom) / 2};
    ClientToScreen(tree, &center);
    return center;
}

// A point of the tree's client area below its last entry.
POINT screenBelowEntries(HWND tree)
{
    RECT client{};
    GetClientRect(tree, &client);
    POINT below{10, client.bottom - 5};
    ClientToScreen(tree, &below);
    return below;
}

// ------------------------------------------------------------------ creating

TEST_F(TreeCommandsTest, EachKindIsCreatedAtTheEndOfTheSelectedGroupAndSelectedInTheList)
{
    BookmarkItem& sub = At({0, 1});
    Select(sub);
    ASSERT_EQ(&sub, Frame().List().shownGroup());

    struct Kind {
        UINT command;
        ItemType type;
        const char* title;  // code page 932
        const char* url;
    };
    const Kind kinds[] = {
        {ID_ITEM_NEW_GROUP, ItemType::Group, "新しいグループ", ""},
        {ID_ITEM_NEW_URL, ItemType::Url, "新しいURL", "http://"},
        {ID_ITEM_NEW_GROUP_URL, ItemType::GroupUrl, "新しいURL付きグループ", "http://"},
    };
    size_t count = sub.children.size();
    for (const Kind& kind : kinds) {
        EXPECT_TRUE(AnswerDialog([&] { Command(kind.command); }, IDOK));
        ++count;
        ASSERT_EQ(count, sub.children.size());
        const BookmarkItem& created = *sub.children.back();
        EXPECT_EQ(kind.type, created.type);
        EXPECT_EQ(kind.title, created.title);
        EXPECT_EQ(kind.url, created.url);
        EXPECT_EQ(&sub, created.parent);
        EXPECT_EQ(static_cast<int>(count), rowCount(List()));
        EXPECT_EQ(&created, rowItem(List(), static_cast<int>(count) - 1));
        EXPECT_EQ(std::vector<int>{static_cast<int>(count) - 1}, selectedRows(List()));
        EXPECT_EQ(created.isGroup(), created.treeHandle != 0);
    }
    EXPECT_EQ(u8"トップ[サブ１[孫 新しいグループ 新しいURL付きグループ] リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    // The tree's selection stays where it was.
    EXPECT_EQ(&sub, SelectedItem());
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, SeparatorComesWithoutDialogAlsoFromTheFramesMenu)
{
    BookmarkItem& second = At({2});
    Select(second);
    Frame().SetActiveView(&TreeView(), false);

    SendMessageW(Frame().GetHwnd(), WM_COMMAND, ID_ITEM_NEW_SEPARATOR, 0);

    ASSERT_EQ(2u, second.children.size());
    EXPECT_TRUE(second.children.back()->isSeparator());
    EXPECT_EQ(0u, second.children.back()->treeHandle);
    EXPECT_EQ(2, rowCount(List()));
    EXPECT_EQ(std::vector<int>{1}, selectedRows(List()));
    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, TheDialogShowsThePresetAndItsTitleIsKept)
{
    BookmarkItem& top = At({0});
    std::wstring preset;
    EXPECT_TRUE(WithDialog([&] { Command(ID_ITEM_NEW_GROUP); }, [&](HWND dialog) {
        wchar_t text[64] = {};
        GetDlgItemTextW(dialog, IDC_ITEM_TITLE, text, 64);
        preset = text;
        SetDlgItemTextW(dialog, IDC_ITEM_TITLE, L"旅行");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }));

    EXPECT_EQ(L"新しいグループ", preset);
    EXPECT_EQ("旅行", top.children.back()->title);
    EXPECT_EQ(u8"旅行", EntryTitle(*top.children.back()));
    EXPECT_EQ(u8"旅行", cellText(List(), rowCount(List()) - 1, 0));
}

TEST_F(TreeCommandsTest, CancelledCreationChangesNothing)
{
    BookmarkItem& top = At({0});
    const std::string rows = rowTitles(List());
    for (UINT command : {ID_ITEM_NEW_GROUP, ID_ITEM_NEW_URL, ID_ITEM_NEW_GROUP_URL})
        EXPECT_TRUE(AnswerDialog([&] { Command(command); }, IDCANCEL, L"無駄"));

    EXPECT_EQ(5u, top.children.size());
    EXPECT_EQ(rows, rowTitles(List()));
    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(TreeCommandsTest, CommandsWithoutASelectedEntryDoNothing)
{
    TreeView_SelectItem(Tree(), nullptr);
    ASSERT_EQ(nullptr, TreeView_GetSelection(Tree()));

    const bool dialog = WithDialog(
        [&] {
            for (UINT command : {ID_ITEM_NEW_GROUP, ID_ITEM_NEW_URL, ID_ITEM_NEW_GROUP_URL, ID_ITEM_NEW_SEPARATOR,
                                 ID_ITEM_EDIT, ID_ITEM_BROWSE, ID_ITEM_DELETE, ID_ITEM_RENAME})
                Command(command);
            KeyDown(VK_RETURN, true);
            KeyDown('M', true);
            KeyDown(VK_DELETE, true);
        },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });

    EXPECT_FALSE(dialog);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(nullptr, TreeView_GetEditControl(Tree()));
    EXPECT_EQ(5u, At({0}).children.size());
    EXPECT_FALSE(Document().IsModified());
}

// ------------------------------------------------------------------ editing

TEST_F(TreeCommandsTest, EditedGroupShowsItsNewTitleInTreeAndList)
{
    BookmarkItem& sub = At({0, 1});
    Select(sub);
    ShowInList(At({0}));

    EXPECT_TRUE(AnswerDialog([&] { Command(ID_ITEM_EDIT); }, IDOK, L"写真"));

    EXPECT_EQ("写真", sub.title);
    EXPECT_EQ(u8"写真", EntryTitle(sub));
    EXPECT_EQ(u8"写真", cellText(List(), 1, 0));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, EditedUrlGroupThatBecomesAGroupChangesItsImage)
{
    BookmarkItem& urlGroup = At({0, 2});
    Select(urlGroup);

    EXPECT_TRUE(WithDialog([&] { Command(ID_ITEM_EDIT); }, [](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_ITEM_TYPE_GROUP, BM_CLICK, 0, 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }));

    EXPECT_EQ(ItemType::Group, urlGroup.type);
    EXPECT_EQ(0, readEntry(Tree(), entryOf(urlGroup)).image);
    EXPECT_EQ(1, readEntry(Tree(), entryOf(urlGroup)).selectedImage);
}

TEST_F(TreeCommandsTest, CancelledEditChangesNothing)
{
    BookmarkItem& sub = At({0, 1});
    Select(sub);
    ShowInList(At({0}));

    EXPECT_TRUE(AnswerDialog([&] { Command(ID_ITEM_EDIT); }, IDCANCEL, L"写真"));

    EXPECT_EQ("サブ１", sub.title);
    EXPECT_EQ(u8"サブ１", EntryTitle(sub));
    EXPECT_EQ(u8"サブ１", cellText(List(), 1, 0));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(TreeCommandsTest, OnlyATopLevelGroupIsEditedAsTopLevel)
{
    struct Seen {
        bool groupUrlEnabled = false;
        bool urlEnabled = false;
    };
    const auto inspect = [&](const BookmarkItem& group) {
        Seen seen;
        Select(group);
        EXPECT_TRUE(WithDialog([&] { Command(ID_ITEM_EDIT); }, [&](HWND dialog) {
            seen.groupUrlEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_TYPE_GROUP_URL)) != FALSE;
            seen.urlEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_URL)) != FALSE;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }));
        return seen;
    };

    const Seen top = inspect(At({0}));
    EXPECT_FALSE(top.groupUrlEnabled);
    EXPECT_FALSE(top.urlEnabled);
    const Seen urlGroup = inspect(At({0, 2}));
    EXPECT_TRUE(urlGroup.groupUrlEnabled);
    EXPECT_TRUE(urlGroup.urlEnabled);
}

// ------------------------------------------------------------------ deleting

TEST_F(TreeCommandsTest, TopLevelGroupIsRefusedAfterTheQuestion)
{
    Select(At({0}));
    ui.answers = {IDOK, IDOK};

    KeyDown(VK_DELETE);

    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ("アイテムを削除しますか？", ui.messages[0].text);
    EXPECT_EQ("削除の確認", ui.messages[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), ui.messages[0].type);
    EXPECT_EQ("削除できないアイテムです。", ui.messages[1].text);
    EXPECT_EQ("削除不可", ui.messages[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), ui.messages[1].type);
    EXPECT_EQ(3u, Document().rootItem()->children.size());
    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(TreeCommandsTest, TopLevelGroupIsRefusedWithoutQuestionUnderCtrl)
{
    Select(At({2}));
    ui.answers = {IDOK};

    KeyDown(VK_DELETE, true);

    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("削除不可", ui.messages[0].caption);
    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
}

TEST_F(TreeCommandsTest, DeletedSubGroupLeavesTreeListAndBook)
{
    BookmarkItem& top = At({0});
    const std::weak_ptr<BookmarkItem> sub = RefAt(top, 1);
    Select(*sub.lock());
    ShowInList(top);
    ui.answers = {IDOK};

    Command(ID_ITEM_DELETE);

    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("削除の確認", ui.messages[0].caption);
    EXPECT_TRUE(sub.expired());
    EXPECT_EQ(4u, top.children.size());
    EXPECT_EQ(u8"トップ[リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    // The selection moved to a remaining group, and the list shows it.
    BookmarkItem* selected = SelectedItem();
    ASSERT_NE(nullptr, selected);
    EXPECT_EQ(selected, Frame().List().shownGroup());
    for (int row = 0; row < rowCount(List()); ++row) EXPECT_EQ(selected, rowItem(List(), row)->parent) << row;
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, CtrlDeleteRemovesWithoutQuestionAndTheParentsRowGoes)
{
    BookmarkItem& sub = At({0, 1});
    const std::weak_ptr<BookmarkItem> grandchild = RefAt(sub, 0);
    Select(*grandchild.lock());
    ShowInList(sub);
    ASSERT_EQ(u8"孫|深いリンク", rowTitles(List()));

    KeyDown(VK_DELETE, true);

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(grandchild.expired());
    EXPECT_EQ(1u, sub.children.size());
    EXPECT_EQ(u8"トップ[サブ１ リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_EQ(u8"深いリンク", rowTitles(List()));
    EXPECT_NE(nullptr, TreeView_GetSelection(Tree()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, CancelledQuestionDeletesNothing)
{
    Select(At({0, 2}));
    ui.answers = {IDCANCEL};

    KeyDown(VK_DELETE);

    EXPECT_EQ(1u, ui.messages.size());
    EXPECT_EQ(5u, At({0}).children.size());
    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_FALSE(Document().IsModified());
}

// ------------------------------------------------------------------ context menu

TEST_F(TreeCommandsTest, ContextMenusOfTheThreeKindsOfEntry)
{
    const std::vector<std::string> creating = {u8"新規グループの作成", u8"新規URLの作成",
                                               u8"新規URL付きグループの作成", u8"セパレータの作成"};
    const auto menuOf = [&](const BookmarkItem& item) {
        const HMENU menu = TreeView().buildContextMenu(entryOf(item));
        std::pair<std::vector<std::string>, std::vector<UINT>> read{menuTexts(menu), menuIds(menu)};
        DestroyMenu(menu);
        return read;
    };
    const auto with = [&](std::vector<std::string> head) {
        head.insert(head.end(), creating.begin(), creating.end());
        return head;
    };

    const auto urlGroup = menuOf(At({0, 2}));
    EXPECT_EQ(with({u8"ブラウザで閲覧", u8"変更", u8"削除"}), urlGroup.first);
    EXPECT_EQ((std::vector<UINT>{ID_ITEM_BROWSE, ID_ITEM_EDIT, ID_ITEM_DELETE, ID_ITEM_NEW_GROUP, ID_ITEM_NEW_URL,
                                 ID_ITEM_NEW_GROUP_URL, ID_ITEM_NEW_SEPARATOR}),
              urlGroup.second);
    EXPECT_EQ(with({u8"変更", u8"削除"}), menuOf(At({0, 1, 0})).first);
    const auto top = menuOf(At({0}));
    EXPECT_EQ(with({u8"変更"}), top.first);
    EXPECT_EQ((std::vector<UINT>{ID_ITEM_EDIT, ID_ITEM_NEW_GROUP, ID_ITEM_NEW_URL, ID_ITEM_NEW_GROUP_URL,
                                 ID_ITEM_NEW_SEPARATOR}),
              top.second);
}

TEST_F(TreeCommandsTest, RightClickFindsTheEntryUnderThePointer)
{
    for (const BookmarkItem* group : {&At({0}), &At({0, 1}), &At({0, 2}), &At({2})})
        EXPECT_EQ(entryOf(*group), TreeView().entryAt(screenCenterOf(Tree(), entryOf(*group))));
    EXPECT_EQ(nullptr, TreeView().entryAt(screenBelowEntries(Tree())));
}

TEST_F(TreeCommandsTest, RightClickOnAnEntrySelectsItAndShowsItsMenu)
{
    const BookmarkItem& sub = At({0, 1});

    const std::vector<std::string> shown = RightClickAt(screenCenterOf(Tree(), entryOf(sub)), MenuAction::Close);

    EXPECT_EQ(&sub, SelectedItem());
    EXPECT_EQ(&sub, Frame().List().shownGroup());
    ASSERT_EQ(6u, shown.size());
    EXPECT_EQ(u8"変更", shown[0]);
    EXPECT_EQ(u8"削除", shown[1]);
}

TEST_F(TreeCommandsTest, RightClickOnEmptySpaceShowsNoMenu)
{
    const std::vector<std::string> shown = RightClickAt(screenBelowEntries(Tree()), MenuAction::Close);

    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(&At({0}), SelectedItem());
}

TEST_F(TreeCommandsTest, ACommandChosenInTheMenuActsOnTheClickedEntry)
{
    BookmarkItem& second = At({2});

    RightClickAt(screenCenterOf(Tree(), entryOf(second)), MenuAction::ChooseLast);
    fwtest::pumpMessages();

    ASSERT_EQ(2u, second.children.size());
    EXPECT_TRUE(second.children.back()->isSeparator());
    EXPECT_EQ(u8"空|", rowTitles(List()));
    EXPECT_TRUE(Document().IsModified());
}

// ------------------------------------------------------------------ keys

TEST_F(TreeCommandsTest, EnterOpensTheUrlOfAUrlGroup)
{
    ui.shellAccepts = true;
    Select(At({0, 2}));

    KeyDown(VK_RETURN);
    Command(ID_ITEM_BROWSE);

    ASSERT_EQ(2u, ui.shellRequests.size());
    for (const std::vector<std::string>& request : ui.shellRequests) {
        EXPECT_EQ("open", request[0]);
        EXPECT_EQ("http://example.com/g", request[1]);
    }
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(TreeCommandsTest, EnterOnAPlainGroupOpensNothing)
{
    Select(At({0, 1}));

    const bool dialog = WithDialog(
        [&] {
            KeyDown(VK_RETURN);
            Command(ID_ITEM_BROWSE);
            KeyDown('M');
        },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });

    EXPECT_FALSE(dialog);
    EXPECT_TRUE(ui.shellRequests.empty());
}

TEST_F(TreeCommandsTest, CtrlEnterAndCtrlMOpenTheDialogWithTheCaretWhereAsked)
{
    Select(At({0, 2}));
    const auto caretOf = [&](bool enter) {
        std::wstring title;
        int focused = 0;
        EXPECT_TRUE(WithDialog([&] { KeyDown(enter ? VK_RETURN : 'M', true); }, [&](HWND dialog) {
            wchar_t text[64] = {};
            GetDlgItemTextW(dialog, IDC_ITEM_TITLE, text, 64);
            title = text;
            focused = GetDlgCtrlID(GetFocus());
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }));
        EXPECT_EQ(L"リンク付きグループ", title);
        return focused;
    };

    EXPECT_EQ(IDC_ITEM_TITLE, caretOf(true));
    EXPECT_EQ(IDC_ITEM_MESSAGE, caretOf(false));
}

TEST_F(TreeCommandsTest, AltKeysAreLeftToTheMenu)
{
    ui.shellAccepts = true;
    Select(At({0, 2}));
    {
        const HeldKeys alt{VK_MENU};
        for (const UINT key : {VK_RETURN, VK_DELETE, VK_TAB})
            SendMessageW(Tree(), WM_SYSKEYDOWN, key, 1 << 29);
    }
    EXPECT_TRUE(ui.shellRequests.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(&At({0, 2}), SelectedItem());
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(TreeCommandsTest, TypedCharactersDoNotSearchTheTree)
{
    // The control's own search looks for letters and digits only.
    const ItemRef root = BookmarkItem::create();
    const ItemRef alpha = addChild(*root, ItemType::Group, "Alpha");
    addChild(*alpha, ItemType::Group, "Bravo");
    addChild(*alpha, ItemType::Group, "Charlie");
    OpenBook(*root, "letters.rvl");
    ASSERT_EQ("Alpha[Bravo Charlie]", outline(Tree()));

    for (const wchar_t typed : {L'c', L'B', L'h'}) SendMessageW(Tree(), WM_CHAR, typed, 1);

    EXPECT_EQ(&At({0}), SelectedItem());
}

TEST_F(TreeCommandsTest, TabAndF6MoveTheFocusToTheList)
{
    for (const UINT key : {VK_TAB, VK_F6}) {
        SetFocus(TreeView().GetHwnd());
        ASSERT_EQ(Tree(), GetFocus());

        KeyDown(key);

        EXPECT_EQ(List(), GetFocus()) << key;
        EXPECT_EQ(&Frame().List(), Frame().GetActiveView()) << key;
    }
}

// ------------------------------------------------------------------ renaming in place

TEST_F(TreeCommandsTest, RenamingInPlaceRetitlesTheGroupEverywhere)
{
    BookmarkItem& sub = At({0, 1});
    Select(sub);
    ShowInList(At({0}));

    Rename(L"写真", false);

    EXPECT_EQ("写真", sub.title);
    EXPECT_EQ(u8"写真", EntryTitle(sub));
    EXPECT_EQ(u8"写真", cellText(List(), 1, 0));
    EXPECT_EQ(nullptr, TreeView_GetEditControl(Tree()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, TheRenameBoxKeepsItsEditingKeysButF2AndSaveStayTheFrames)
{
    Select(At({0, 1}));
    Command(ID_ITEM_RENAME);
    const HWND edit = TreeView_GetEditControl(Tree());
    ASSERT_NE(nullptr, edit);
    const auto translated = [&](WPARAM key, std::initializer_list<int> held) {
        const HeldKeys keys(held);
        MSG message{edit, WM_KEYDOWN, key, 1, 0, {0, 0}};
        return Frame().PreTranslateMessage(message);
    };
    EXPECT_FALSE(translated('V', {VK_CONTROL}));
    EXPECT_FALSE(translated('C', {VK_CONTROL}));
    EXPECT_FALSE(translated(VK_INSERT, {VK_SHIFT}));
    EXPECT_TRUE(translated('S', {VK_CONTROL}));
    SendMessageW(Tree(), TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(TreeCommandsTest, ATopLevelGroupCanBeRenamed)
{
    BookmarkItem& top = At({0});
    const std::string rows = rowTitles(List());

    Rename(L"根", false);

    EXPECT_EQ("根", top.title);
    EXPECT_EQ(u8"根", EntryTitle(top));
    EXPECT_EQ(rows, rowTitles(List()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TreeCommandsTest, CancelledRenamingKeepsTheTitle)
{
    BookmarkItem& sub = At({0, 1});
    Select(sub);

    Rename(L"写真", true);

    EXPECT_EQ("サブ１", sub.title);
    EXPECT_EQ(u8"サブ１", EntryTitle(sub));
    EXPECT_FALSE(Document().IsModified());
}

}  // namespace
