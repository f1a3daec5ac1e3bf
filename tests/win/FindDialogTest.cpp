// The find dialog over the real main window: results as the user types, a
// result shown in both panes, the results following edits of the book, F3
// in the main window and in the dialog, its place and words on reopening.

#include "RavloAppTestSupport.h"
#include "app/CFindDlg.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using namespace apptest;

// マイブックマーク holds 旅行 (京都の宿, 大阪の宿) and then 京都 地図.
class FindDialogTest : public RavloAppTest {
protected:
    void SetUp() override
    {
        RavloAppTest::SetUp();
        ASSERT_TRUE(start());
        BookmarkItem& top = *document().rootItem()->children.front();
        travel = BookmarkItem::create();
        travel->makeGroup("旅行", "2024/01/02");
        travel->addUrlChild("京都の宿", "http://inn.example.jp/kyoto", "", "2024/01/02");
        travel->addUrlChild("大阪の宿", "http://inn.example.jp/osaka", "", "2024/01/02");
        document().editor().appendItems(top, {travel, link("京都 地図")});
        SendMessageW(frameWindow(), WM_COMMAND, ID_EDIT_FIND, 0);
        ASSERT_NE(nullptr, dialog());
    }

    static ItemRef link(const std::string& title)
    {
        const ItemRef item = BookmarkItem::create();
        item->makeUrl(title, "http://map.example.jp/", "", "2024/01/02");
        return item;
    }
    HWND dialog() const { return frame()->findDialog()->GetHwnd(); }
    HWND results() const { return GetDlgItem(dialog(), IDC_FIND_RESULTS); }
    HWND tree() const { return frame()->treeView()->treeControl(); }
    HWND list() const { return frame()->listView()->listControl(); }
    void type(const wchar_t* words) const { SetDlgItemTextW(dialog(), IDC_FIND_TEXT, words); }

    // "title (group)" of each result row, in UTF-8.
    std::vector<std::string> resultRows() const
    {
        std::vector<std::string> rows;
        wchar_t title[256] = {};
        wchar_t group[256] = {};
        for (int row = 0; row < ListView_GetItemCount(results()); ++row) {
            ListView_GetItemText(results(), row, 0, title, 256);
            ListView_GetItemText(results(), row, 2, group, 256);
            rows.push_back(CodePage::toUtf8(CodePage::fromWide(std::wstring(title) + L" (" + group + L")")));
        }
        return rows;
    }
    // A key as the message loop hands it on.
    void press(HWND target, WPARAM key) const
    {
        MSG message{target, WM_KEYDOWN, key, 1, 0, {0, 0}};
        if (!app->PreTranslateMessage(message)) DispatchMessageW(&message);
    }
    std::string selectedGroupInTree() const
    {
        const auto* item = reinterpret_cast<BookmarkItem*>(treeItemParam(TreeView_GetSelection(tree())));
        return item != nullptr ? CodePage::toUtf8(item->title) : std::string();
    }
    LPARAM treeItemParam(HTREEITEM entry) const
    {
        TVITEMW fields{};
        fields.mask = TVIF_PARAM;
        fields.hItem = entry;
        TreeView_GetItem(tree(), &fields);
        return fields.lParam;
    }
    int selectedListRow() const { return ListView_GetNextItem(list(), -1, LVNI_SELECTED); }

    ItemRef travel;
};

using Rows = std::vector<std::string>;

TEST_F(FindDialogTest, EachKeystrokeAndPlaceFindsTheItemsAgainInBookOrder)
{
    type(L"京都");
    EXPECT_EQ(Rows({u8"京都の宿 (マイブックマーク > 旅行)", u8"京都 地図 (マイブックマーク)"}), resultRows());
    type(L"京都 宿");
    EXPECT_EQ(Rows({u8"京都の宿 (マイブックマーク > 旅行)"}), resultRows());
    type(L"ＯＳＡＫＡ");
    EXPECT_EQ(Rows({u8"大阪の宿 (マイブックマーク > 旅行)"}), resultRows());
    SendDlgItemMessageW(dialog(), IDC_FIND_IN_URL, BM_CLICK, 0, 0);
    EXPECT_EQ(Rows(), resultRows());
}

TEST_F(FindDialogTest, EnterShowsAGroupInTheTreeAndALinkInItsGroup)
{
    type(L"旅行");
    press(results(), VK_RETURN);
    EXPECT_EQ(u8"旅行", selectedGroupInTree());
    EXPECT_EQ(tree(), GetFocus());

    type(L"地図");
    press(GetDlgItem(dialog(), IDC_FIND_TEXT), VK_RETURN);
    EXPECT_EQ(u8"マイブックマーク", selectedGroupInTree());
    EXPECT_EQ(1, selectedListRow());
    EXPECT_EQ(list(), GetFocus());
}

TEST_F(FindDialogTest, ResultsFollowTheEditsOfTheBook)
{
    type(L"京都");
    BookmarkItem& top = *document().rootItem()->children.front();
    document().editor().appendItems(top, {link("京都駅")});
    fwtest::pumpMessages();
    EXPECT_EQ(3u, resultRows().size());

    document().editor().removeItems(top, {travel.get()});
    travel.reset();
    EXPECT_EQ(Rows({u8"京都 地図 (マイブックマーク)", u8"京都駅 (マイブックマーク)"}), resultRows());
}

TEST_F(FindDialogTest, F3GoesOnToTheNextResultFromEitherWindow)
{
    type(L"宿");
    press(list(), VK_F3);
    EXPECT_EQ(0, selectedListRow());
    press(list(), VK_F3);
    EXPECT_EQ(1, selectedListRow());
    press(GetDlgItem(dialog(), IDC_FIND_TEXT), VK_F3);
    EXPECT_EQ(0, selectedListRow());
    EXPECT_EQ(u8"旅行", selectedGroupInTree());
}

TEST_F(FindDialogTest, ReopensWhereTheUserLeftItWithItsWords)
{
    type(L"宿");
    SetWindowPos(dialog(), nullptr, 31, 47, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(dialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(nullptr, dialog());
    SendMessageW(frameWindow(), WM_COMMAND, ID_EDIT_FIND, 0);
    RECT place{};
    GetWindowRect(dialog(), &place);
    EXPECT_EQ(31, place.left);
    EXPECT_EQ(47, place.top);
    fwtest::pumpMessages();
    EXPECT_EQ(2u, resultRows().size());
}

}  // namespace
