// The duplicates dialog over the two panes: which rows start checked, and
// what 削除 and キャンセル leave of the book.

#include "BookViewsTestSupport.h"
#include "ModalDriver.h"
#include "model/ItemWalk.h"

namespace {

using namespace viewtest;

class DuplicatesDlgTest : public BookViewsTest {
protected:
    // トップ: 一 and 二 share a URL (spelled apart), サブ holds 三 with it too
    // and 四 with the URL of the top-level URL-group 五; 六 is alone.
    void SetUp() override
    {
        BookViewsTest::SetUp();
        const ItemRef root = BookmarkItem::create();
        const ItemRef top = addChild(*root, ItemType::Group, "トップ");
        addChild(*top, ItemType::Url, "一", "http://dup.example/");
        addChild(*top, ItemType::Url, "二", "http://DUP.example");
        const ItemRef sub = addChild(*top, ItemType::Group, "サブ");
        addChild(*sub, ItemType::Url, "三", "http://dup.example/");
        addChild(*sub, ItemType::Url, "四", "http://other.example/x");
        addChild(*root, ItemType::GroupUrl, "五", "http://other.example/x");
        addChild(*root, ItemType::Url, "六", "http://single.example/");
        OpenBook(*root);
        Document().SetModifiedFlag(false);
    }

    void FindDuplicates() { SendMessageW(Frame().List().GetHwnd(), WM_COMMAND, ID_EDIT_FIND_DUPLICATES, 0); }
    // Every title below the root, depth first.
    std::string BookTitles() const
    {
        std::string titles;
        ItemWalk::forEachDescendant(*Document().rootItem(), [&](BookmarkItem& item) {
            titles += (titles.empty() ? "" : "|") + utf8Of(item.title);
        });
        return titles;
    }
};

// "title+" for a checked row, "title-" for an unchecked one.
std::string checkedRows(HWND list)
{
    std::string rows;
    for (int row = 0; row < rowCount(list); ++row) {
        const UINT state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
        rows += cellText(list, row, 0) + (state == INDEXTOSTATEIMAGEMASK(2) ? "+" : "-");
    }
    return rows;
}

void focusRow(HWND list, int row)
{
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

TEST_F(DuplicatesDlgTest, RemovesTheCheckedCopiesFromTheBookAndBothPanesAfterTheQuestion)
{
    std::string shown;
    ModalDriver driver([&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_DUPLICATE_LIST);
        shown = checkedRows(list) + " " + cellText(list, 2, 2);
        focusRow(list, 2);
        SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ui.answers = {IDOK};
    FindDuplicates();

    EXPECT_EQ(u8"一-二+三+四-五+ トップ > サブ", shown);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_NE(std::string::npos, ui.messages[0].text.find(" 2 "));
    EXPECT_EQ(u8"トップ|一|サブ|三|四|六", BookTitles());
    EXPECT_EQ(u8"一|サブ", rowTitles(List()));
    EXPECT_EQ(u8"トップ[サブ]", outline(Tree()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(DuplicatesDlgTest, CancelLeavesTheBookAlone)
{
    ModalDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    FindDuplicates();
    EXPECT_EQ(u8"トップ|一|二|サブ|三|四|五|六", BookTitles());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(DuplicatesDlgTest, ABookWithoutDuplicatesIsToldSoInsteadOfAnEmptyDialog)
{
    OpenBook(*sampleBook(), "sample.rvl");
    ui.answers = {IDOK};
    FindDuplicates();
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), ui.messages[0].type);
}

}  // namespace
