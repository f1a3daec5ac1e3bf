// What the user does in the item list: opening, creating, editing, renaming,
// deleting and reordering items, the context menus and the keys.

#include "BookViewsTestSupport.h"
#include "ModalDriver.h"
#include "framework/CCmdUI.h"

#include <cstring>

namespace {

using namespace viewtest;

std::vector<std::wstring> menuTexts(HMENU menu)
{
    std::vector<std::wstring> texts;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

class ListCommandsTest : public BookViewsTest {
protected:
    // The list shows トップ: link, サブ１, リンク付きグループ, separator, 最後.
    void SetUp() override
    {
        BookViewsTest::SetUp();
        OpenSampleBook();
        Document().SetModifiedFlag(false);
    }

    CRavloView& View() const { return Frame().List(); }
    BookmarkItem& Top() const { return At({0}); }

    void Select(std::initializer_list<int> rows)
    {
        LVITEMW clear{};
        clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        for (int row : rows) {
            LVITEMW state{};
            state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            state.state = row == *rows.begin() ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
            SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
        }
    }
    void Key(UINT key) { SendMessageW(List(), WM_KEYDOWN, key, 0); }
    void AltKey(UINT key)
    {
        const HeldKeys alt{VK_MENU};
        SendMessageW(List(), WM_SYSKEYDOWN, key, 1 << 29);
    }
    void ControlKey(UINT key)
    {
        const HeldKeys control{VK_CONTROL};
        Key(key);
    }
    void Command(UINT id) { SendMessageW(View().GetHwnd(), WM_COMMAND, id, 0); }
    void DoubleClick(int row)
    {
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = List();
        click.hdr.idFrom = GetDlgCtrlID(List());
        click.hdr.code = NM_DBLCLK;
        click.iItem = row;
        SendMessageW(View().GetHwnd(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    }
    bool Enabled(UINT id) const
    {
        CCmdUI ui(id);
        CCmdTarget::RouteUpdate(Frame().GetCommandChain(&View()), ui);
        return ui.IsEnabled();
    }
    std::string BookOrder() const
    {
        std::string titles;
        for (const ItemRef& child : Top().children) titles += (titles.empty() ? "" : "|") + utf8Of(child->title);
        return titles;
    }
};

TEST_F(ListCommandsTest, AltDownMovesEachSelectedRowPastTheNextAndTheSelectionFollows)
{
    Select({1, 3});
    AltKey(VK_DOWN);
    EXPECT_EQ(u8"表示 & <例>|リンク付きグループ|サブ１|最後|", BookOrder());
    EXPECT_EQ(rowTitles(List()), u8"表示 & <例>|リンク付きグループ|サブ１|最後|");
    EXPECT_EQ((std::vector<int>{2, 4}), selectedRows(List()));
    EXPECT_TRUE(Document().IsModified());
    // The tree shows the two groups in their new order.
    EXPECT_EQ(outline(Tree()), u8"トップ[リンク付きグループ サブ１[孫]] 二番目[空]");
}

TEST_F(ListCommandsTest, AdjacentRowsMoveUpAsABlock)
{
    Select({3, 4});
    AltKey(VK_UP);
    EXPECT_EQ(u8"表示 & <例>|サブ１||最後|リンク付きグループ", BookOrder());
    EXPECT_EQ((std::vector<int>{2, 3}), selectedRows(List()));
}

TEST_F(ListCommandsTest, NothingMovesWhenABlockTouchesTheEnd)
{
    Select({1, 4});
    AltKey(VK_DOWN);
    Select({0, 2});
    AltKey(VK_UP);
    EXPECT_EQ(u8"表示 & <例>|サブ１|リンク付きグループ||最後", BookOrder());
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(ListCommandsTest, DoubleClickEntersGroupsOpensLinksAndIgnoresSeparators)
{
    ui.shellAccepts = true;
    DoubleClick(3);
    DoubleClick(-1);
    EXPECT_TRUE(ui.shellRequests.empty());
    DoubleClick(0);
    ASSERT_EQ(1u, ui.shellRequests.size());
    EXPECT_EQ("open", ui.shellRequests[0][0]);
    EXPECT_EQ("http://example.com/a", ui.shellRequests[0][1]);

    // A URL-group is entered; its URL opens only through the browser command.
    DoubleClick(2);
    EXPECT_EQ(&At({0, 2}), View().shownGroup());
    EXPECT_EQ(u8"中", rowTitles(List()));
    EXPECT_EQ(1u, ui.shellRequests.size());
    EXPECT_EQ(entryOf(At({0, 2})), TreeView_GetSelection(Tree()));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(ListCommandsTest, EnterOpensTheFirstSelectedGroupOrLinkAndBackspaceGoesUp)
{
    Select({3, 1, 4});  // separator first: it is skipped
    Key(VK_RETURN);
    EXPECT_EQ(&At({0, 1}), View().shownGroup());
    Key(VK_BACK);
    EXPECT_EQ(&Top(), View().shownGroup());
    // The top-level group has no way up.
    EXPECT_FALSE(Enabled(ID_PARENT_GROUP));
    Key(VK_BACK);
    EXPECT_EQ(&Top(), View().shownGroup());

    ui.shellAccepts = true;
    Select({4});
    Key(VK_RETURN);
    ASSERT_EQ(1u, ui.shellRequests.size());
    EXPECT_EQ("http://example.com/z", ui.shellRequests[0][1]);
}

TEST_F(ListCommandsTest, BrowseOpensEveryLinkOfTheSelection)
{
    ui.shellAccepts = true;
    Select({0, 1, 2, 4});
    Command(ID_ITEM_BROWSE);
    ASSERT_EQ(3u, ui.shellRequests.size());
    EXPECT_EQ("http://example.com/g", ui.shellRequests[1][1]);
}

TEST_F(ListCommandsTest, ASeparatorIsAddedAtTheEndSelectedAndFocused)
{
    Select({1});
    Command(ID_ITEM_NEW_SEPARATOR);
    ASSERT_EQ(6u, Top().children.size());
    EXPECT_TRUE(Top().children.back()->isSeparator());
    EXPECT_EQ(&Top(), Top().children.back()->parent);
    EXPECT_EQ((std::vector<int>{5}), selectedRows(List()));
    EXPECT_EQ(5, focusedRow(List()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(ListCommandsTest, ANewGroupComesFromTheItemDialogAndShowsInTheTree)
{
    {
        ModalDriver cancel([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        Command(ID_ITEM_NEW_GROUP);
    }
    EXPECT_EQ(5u, Top().children.size());
    EXPECT_FALSE(Document().IsModified());

    ModalDriver accept([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_ITEM_TITLE, L"新グループ");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(ID_ITEM_NEW_GROUP);
    ASSERT_EQ(6u, Top().children.size());
    EXPECT_EQ(u8"新グループ", utf8Of(Top().children.back()->title));
    EXPECT_EQ(outline(Tree()), u8"トップ[サブ１[孫] リンク付きグループ 新グループ] 二番目[空]");
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(ListCommandsTest, EditingSeveralRowsWritesTheCommonChangeToEach)
{
    Select({0, 4});
    ModalDriver driver([](HWND dialog) {
        // Typed, as a user would: a multi-line edit reports no change for WM_SETTEXT.
        SendDlgItemMessageW(dialog, IDC_ITEM_MESSAGE, EM_SETSEL, 0, -1);
        SendDlgItemMessageW(dialog, IDC_ITEM_MESSAGE, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"共通"));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ControlKey(VK_RETURN);
    EXPECT_EQ(u8"共通", utf8Of(At({0, 0}).message));
    EXPECT_EQ(u8"共通", utf8Of(At({0, 4}).message));
    EXPECT_EQ(u8"共通", cellText(List(), 4, 2));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(ListCommandsTest, ControlMOpensTheDialogWithTheCaretInTheMessage)
{
    Select({0});
    HWND focused = nullptr;
    HWND message = nullptr;
    ModalDriver driver([&](HWND dialog) {
        focused = GetFocus();
        message = GetDlgItem(dialog, IDC_ITEM_MESSAGE);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ControlKey('M');
    EXPECT_EQ(message, focused);
    EXPECT_NE(nullptr, message);
}

TEST_F(ListCommandsTest, DeletingAsksFirstAndRemovesRowsEntriesAndItems)
{
    Select({1, 4});
    ui.answers = {IDCANCEL, IDOK};
    Key(VK_DELETE);
    EXPECT_EQ(5u, Top().children.size());
    EXPECT_FALSE(Document().IsModified());
    Key(VK_DELETE);
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ(u8"選択されている全アイテムを削除しますか？", utf8Of(ui.messages[1].text));
    EXPECT_EQ(u8"削除の確認", utf8Of(ui.messages[1].caption));
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), ui.messages[1].type);
    EXPECT_EQ(u8"表示 & <例>|リンク付きグループ|", BookOrder());
    EXPECT_EQ(rowTitles(List()), u8"表示 & <例>|リンク付きグループ|");
    EXPECT_EQ(outline(Tree()), u8"トップ[リンク付きグループ] 二番目[空]");
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(ListCommandsTest, ControlDeleteAsksNothingAndDeleteWithoutSelectionOnlyMarksTheBook)
{
    Select({});
    Key(VK_DELETE);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(5u, Top().children.size());
    EXPECT_TRUE(Document().IsModified());
    EXPECT_FALSE(Enabled(ID_ITEM_DELETE));
    EXPECT_FALSE(Enabled(ID_ITEM_EDIT));
    EXPECT_FALSE(Enabled(ID_ITEM_MOVE_UP));

    Select({0});
    EXPECT_TRUE(Enabled(ID_ITEM_DELETE));
    ControlKey(VK_DELETE);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(4u, Top().children.size());
}

TEST_F(ListCommandsTest, ContextMenusOfferWhatTheSelectionAllows)
{
    bool built = false;
    Select({});
    HMENU menu = View().contextMenuFor(2, built);
    EXPECT_FALSE(built);
    EXPECT_EQ((std::vector<std::wstring>{L"新規グループを作成(&G)", L"新規URLを作成(&U)",
                                         L"新規URL付きのグループを作成(&T)", L"セパレータを作成(&S)", L"", L"並べ替え"}),
              menuTexts(menu));

    const auto menuOf = [&](std::initializer_list<int> rows) {
        Select(rows);
        HMENU built_menu = View().contextMenuFor(*rows.begin(), built);
        EXPECT_TRUE(built);
        std::vector<std::wstring> texts = menuTexts(built_menu);
        const UINT defaultId = GetMenuDefaultItem(built_menu, FALSE, 0);
        if (defaultId != static_cast<UINT>(-1)) texts.insert(texts.begin(), L"default " + std::to_wstring(defaultId));
        DestroyMenu(built_menu);
        return texts;
    };
    EXPECT_EQ((std::vector<std::wstring>{L"default 32774", L"開く", L"変更", L"削除"}), menuOf({1}));
    EXPECT_EQ((std::vector<std::wstring>{L"default 32777", L"ブラウザで閲覧", L"変更", L"削除"}), menuOf({0}));
    EXPECT_EQ((std::vector<std::wstring>{L"default 32774", L"開く", L"ブラウザで閲覧", L"変更", L"削除"}),
              menuOf({2}));
    EXPECT_EQ((std::vector<std::wstring>{L"変更", L"削除"}), menuOf({3}));
    EXPECT_EQ((std::vector<std::wstring>{L"変更", L"削除"}), menuOf({1, 2}));

    // Nothing shown, nothing to offer.
    Document().UpdateAllViews(nullptr, HintReset, nullptr);
    EXPECT_EQ(nullptr, View().contextMenuFor(-1, built));
}

TEST_F(ListCommandsTest, SortingAsksFirstAndReordersTheBookAndBothPanes)
{
    At({0, 1}).title = "ワ";
    AnnounceChanged(At({0, 1}));
    ui.answers = {IDCANCEL, IDOK};
    Command(ID_ITEM_SORT_TITLE);
    EXPECT_FALSE(Document().IsModified());
    Command(ID_ITEM_SORT_TITLE);
    EXPECT_EQ("現在のグループのアイテムを並べ替えますか？", ui.messages.back().text);
    EXPECT_EQ(u8"リンク付きグループ|ワ|表示 & <例>||最後", BookOrder());
    EXPECT_EQ(rowTitles(List()), BookOrder());
    EXPECT_EQ(outline(Tree()), u8"トップ[リンク付きグループ ワ[孫]] 二番目[空]");
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(ListCommandsTest, RenamingInPlaceChangesTheTitleButNotOfSeparators)
{
    EXPECT_EQ(nullptr, reinterpret_cast<HWND>(SendMessageW(List(), LVM_EDITLABELW, 3, 0)));
    Select({1});
    Command(ID_ITEM_RENAME);
    const HWND edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(nullptr, edit);
    SetWindowTextW(edit, L"改名");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);

    EXPECT_EQ(u8"改名", utf8Of(At({0, 1}).title));
    EXPECT_EQ(u8"改名", cellText(List(), 1, 0));
    EXPECT_EQ(outline(Tree()), u8"トップ[改名[孫] リンク付きグループ] 二番目[空]");
    EXPECT_TRUE(Document().IsModified());
}

// The rows hold no text: the editor of the first and of the last row gets it from the item.
TEST_F(ListCommandsTest, TheFirstAndTheLastRowAreRenamedInPlace)
{
    for (int row : {0, 4}) {
        Select({row});
        Command(ID_ITEM_RENAME);
        const HWND edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETEDITCONTROL, 0, 0));
        ASSERT_NE(nullptr, edit);
        wchar_t text[64] = {};
        GetWindowTextW(edit, text, 64);
        EXPECT_EQ(utf8Of(At({0, row}).title), utf8(text));
        SetWindowTextW(edit, L"改名");
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(u8"改名", utf8Of(At({0, row}).title));
        EXPECT_EQ(u8"改名", cellText(List(), row, 0));
    }
}

// The rows hold no text: the list asks the view for the row whose title begins with what was typed.
TEST_F(ListCommandsTest, TypingGoesToTheRowWhoseTitleBeginsWithIt)
{
    At({0, 4}).title = "Zeta";
    Select({0});
    SendMessageW(List(), WM_CHAR, L'z', 1);
    EXPECT_EQ(std::vector<int>{4}, selectedRows(List()));
    EXPECT_EQ(4, focusedRow(List()));
}

TEST_F(ListCommandsTest, TabMovesTheFocusToTheTree)
{
    SetFocus(List());
    Key(VK_TAB);
    EXPECT_EQ(Tree(), GetFocus());
}

}  // namespace
