// Dragging items between the panes and dropping links onto them: where the
// items land, what the panes refuse, and what a move leaves behind.

#include "BookViewsTestSupport.h"
#include "TestDataObject.h"
#include "model/TodayText.h"

#include <algorithm>
#include <functional>

namespace {

using namespace viewtest;

// The modal drag loop, scripted: the test decides where the drag ends.
std::function<DWORD(IDataObject*)>& dragScript()
{
    static std::function<DWORD(IDataObject*)> script;
    return script;
}

HRESULT WINAPI scriptedDrag(IDataObject* data, IDropSource*, DWORD, DWORD* effect)
{
    *effect = dragScript() ? dragScript()(data) : DROPEFFECT_NONE;
    return DRAGDROP_S_DROP;
}

enum class Band { Top, Middle, Bottom, Below };

class ViewDropTest : public BookViewsTest {
protected:
    void SetUp() override
    {
        BookViewsTest::SetUp();
        previousDrag_ = CRavloDoc::runDrag;
        CRavloDoc::runDrag = scriptedDrag;
        OpenSampleBook();
        Document().SetModifiedFlag(false);
    }
    void TearDown() override
    {
        CRavloDoc::runDrag = previousDrag_;
        dragScript() = nullptr;
        BookViewsTest::TearDown();
    }

    // A link dragged out of a browser page.
    ComRef<dndtest::TestDataObject> BrowserLink(const std::string& utf8Html)
    {
        auto data = dndtest::TestDataObject::make();
        data->offer(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format")), utf8Html + '\0');
        return data;
    }

    static POINT InBand(HWND control, const RECT& bounds, Band band)
    {
        POINT point{bounds.left + 8, (bounds.top + bounds.bottom) / 2};
        if (band == Band::Top) point.y = bounds.top;
        if (band == Band::Bottom) point.y = bounds.bottom - 1;
        if (band == Band::Below) point.y = bounds.bottom + 40;
        ClientToScreen(control, &point);
        return point;
    }
    POINT AtEntry(const BookmarkItem& item, Band band) const
    {
        RECT bounds{};
        TreeView_GetItemRect(Tree(), entryOf(item), &bounds, FALSE);
        return InBand(Tree(), bounds, band);
    }
    POINT AtRow(int row, Band band) const
    {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        return InBand(List(), bounds, band);
    }
    DWORD DropOnTree(IDataObject* data, POINT screen, DWORD keys = 0)
    {
        Frame().Tree().OnDragEnter(data, keys, screen);
        return Frame().Tree().OnDrop(data, keys, screen);
    }
    DWORD DropOnList(IDataObject* data, POINT screen, DWORD keys = 0)
    {
        Frame().List().OnDragEnter(data, keys, screen);
        return Frame().List().OnDrop(data, keys, screen);
    }
    std::string Titles(const BookmarkItem& group) const
    {
        std::string titles;
        for (const ItemRef& child : group.children) titles += (titles.empty() ? "" : "|") + utf8Of(child->title);
        return titles;
    }
    void SelectRows(std::initializer_list<int> rows)
    {
        for (int row : rows) {
            LVITEMW state{};
            state.stateMask = state.state = LVIS_SELECTED;
            SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
        }
    }
    void BeginListDrag()
    {
        NMLISTVIEW drag{};
        drag.hdr.hwndFrom = List();
        drag.hdr.idFrom = GetDlgCtrlID(List());
        drag.hdr.code = LVN_BEGINDRAG;
        SendMessageW(Frame().List().GetHwnd(), WM_NOTIFY, drag.hdr.idFrom, reinterpret_cast<LPARAM>(&drag));
    }
    void BeginTreeDrag(const BookmarkItem& item)
    {
        NMTREEVIEWW drag{};
        drag.hdr.hwndFrom = Tree();
        drag.hdr.idFrom = GetDlgCtrlID(Tree());
        drag.hdr.code = TVN_BEGINDRAGW;
        drag.itemNew.hItem = entryOf(item);
        SendMessageW(Frame().Tree().GetHwnd(), WM_NOTIFY, drag.hdr.idFrom, reinterpret_cast<LPARAM>(&drag));
    }

private:
    CRavloDoc::DragRunner previousDrag_ = nullptr;
};

TEST_F(ViewDropTest, ABrowserLinkDroppedBetweenRowsLandsThereDatedToday)
{
    const auto link = BrowserLink(u8"<a href=\"http://drop/\">落とした〜</a>");
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), DropOnList(link.get(), AtRow(0, Band::Bottom)));
    EXPECT_EQ(u8"表示 & <例>|落とした～|サブ１|リンク付きグループ||最後", Titles(At({0})));
    const BookmarkItem& dropped = At({0, 1});
    EXPECT_EQ(ItemType::Url, dropped.type);
    EXPECT_EQ("http://drop/", dropped.url);
    EXPECT_EQ("", dropped.message);
    EXPECT_EQ(todayText(), dropped.date);
    EXPECT_EQ(&At({0}), dropped.parent);
    EXPECT_EQ(u8"表示 & <例>|落とした～|サブ１|リンク付きグループ||最後", rowTitles(List()));
    EXPECT_TRUE(Document().IsModified());

    // Below the rows: appended.
    DropOnList(link.get(), AtRow(5, Band::Below));
    EXPECT_EQ(u8"落とした～", utf8Of(At({0}).children.back()->title));
}

TEST_F(ViewDropTest, TheMiddleOfAGroupRowTakesTheDropItsEdgesPlaceItBesideTheRow)
{
    const auto link = BrowserLink(u8"<a href=\"http://x/\">新</a>");
    DropOnList(link.get(), AtRow(1, Band::Middle));
    EXPECT_EQ(3u, At({0, 1}).children.size());
    EXPECT_EQ(5u, At({0}).children.size());
    DropOnList(link.get(), AtRow(1, Band::Top));
    EXPECT_EQ(u8"表示 & <例>|新|サブ１|リンク付きグループ||最後", Titles(At({0})));
}

TEST_F(ViewDropTest, TreeZonesDropIntoBeforeOrAfterAGroup)
{
    const auto link = BrowserLink(u8"<a href=\"http://x/\">新</a>");
    DropOnTree(link.get(), AtEntry(At({0, 1}), Band::Middle));
    EXPECT_EQ(3u, At({0, 1}).children.size());
    DropOnTree(link.get(), AtEntry(At({0, 1}), Band::Top));
    EXPECT_EQ(u8"表示 & <例>|新|サブ１|リンク付きグループ||最後", Titles(At({0})));
    // After a group: before the next group entry.
    DropOnTree(link.get(), AtEntry(At({0, 2}), Band::Bottom));
    EXPECT_EQ(u8"表示 & <例>|新|サブ１|新|リンク付きグループ||最後", Titles(At({0})));
    // The edges of the first top-level entry still drop into it.
    const size_t before = At({0}).children.size();
    DropOnTree(link.get(), AtEntry(At({0}), Band::Top));
    EXPECT_EQ(before + 1, At({0}).children.size());
}

TEST_F(ViewDropTest, AMovedRowLeavesItsGroupAndKeepsItsFields)
{
    SelectRows({0});
    dragScript() = [this](IDataObject* data) { return DropOnTree(data, AtEntry(At({2}), Band::Middle)); };
    BeginListDrag();

    EXPECT_EQ(u8"サブ１|リンク付きグループ||最後", Titles(At({0})));
    EXPECT_EQ(u8"サブ１|リンク付きグループ||最後", rowTitles(List()));
    const ItemRef& moved = *std::find_if(At({2}).children.begin(), At({2}).children.end(),
                                         [](const ItemRef& child) { return child->type == ItemType::Url; });
    EXPECT_EQ(u8"表示 & <例>", utf8Of(moved->title));
    EXPECT_EQ(u8"メモ", utf8Of(moved->message));
    EXPECT_EQ(0u, moved->dragging);
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(ViewDropTest, ControlCopiesAGroupWithItsSubtreeAndTheOriginalStays)
{
    dragScript() = [this](IDataObject* data) {
        return DropOnTree(data, AtEntry(At({2}), Band::Middle), MK_CONTROL);
    };
    BeginTreeDrag(At({0, 1}));
    EXPECT_EQ(u8"表示 & <例>|サブ１|リンク付きグループ||最後", Titles(At({0})));
    ASSERT_EQ(2u, At({2}).children.size());
    EXPECT_EQ(outline(Tree()), u8"トップ[サブ１[孫] リンク付きグループ] 二番目[サブ１[孫] 空]");
    // The tree selects the entry it had before the drag again.
    EXPECT_EQ(entryOf(At({0})), TreeView_GetSelection(Tree()));
}

TEST_F(ViewDropTest, AGroupCannotBeMovedIntoItselfOrBesideItsOwnChildren)
{
    std::vector<DWORD> answers;
    dragScript() = [&](IDataObject* data) {
        CSTreeBookView& tree = Frame().Tree();
        const POINT intoSelf = AtEntry(At({0, 1}), Band::Middle);
        const POINT besideChild = AtEntry(At({0, 1, 0}), Band::Top);
        answers.push_back(tree.OnDragEnter(data, 0, intoSelf));
        answers.push_back(tree.OnDragOver(data, 0, besideChild));
        answers.push_back(tree.OnDragOver(data, MK_CONTROL, intoSelf));
        answers.push_back(tree.OnDragOver(data, 0, AtEntry(At({2}), Band::Middle)));
        tree.OnDragLeave();
        return static_cast<DWORD>(DROPEFFECT_NONE);
    };
    TreeView_Expand(Tree(), entryOf(At({0, 1})), TVE_EXPAND);
    BeginTreeDrag(At({0, 1}));
    EXPECT_EQ((std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_NONE, DROPEFFECT_COPY, DROPEFFECT_MOVE}), answers);
    // Nothing moved, and nothing is marked as dragged any more.
    EXPECT_EQ(0u, At({0, 1}).dragging);
    EXPECT_EQ(0u, At({0, 1, 0}).dragging);
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(ViewDropTest, TheListShowsWhichGroupRowTakesTheDrop)
{
    const auto link = BrowserLink(u8"<a href=\"http://x/\">新</a>");
    CRavloView& list = Frame().List();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), list.OnDragEnter(link.get(), 0, AtRow(1, Band::Middle)));
    EXPECT_EQ(static_cast<UINT>(LVIS_DROPHILITED), ListView_GetItemState(List(), 1, LVIS_DROPHILITED));
    list.OnDragOver(link.get(), 0, AtRow(0, Band::Middle));
    EXPECT_EQ(0u, ListView_GetItemState(List(), 1, LVIS_DROPHILITED));
    EXPECT_EQ(0u, ListView_GetItemState(List(), 0, LVIS_DROPHILITED));
    list.OnDragOver(link.get(), 0, AtRow(2, Band::Middle));
    list.OnDragLeave();
    EXPECT_EQ(0u, ListView_GetItemState(List(), 2, LVIS_DROPHILITED));

    // Plain text is not taken.
    auto text = dndtest::TestDataObject::make();
    text->offer(CF_TEXT, "http://plain/");
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), list.OnDragEnter(text.get(), 0, AtRow(1, Band::Middle)));
}

TEST_F(ViewDropTest, HoldingThePointerOnAnExpandButtonOpensTheGroup)
{
    const auto link = BrowserLink(u8"<a href=\"http://x/\">新</a>");
    const HTREEITEM sub = entryOf(At({0, 1}));
    TreeView_Expand(Tree(), sub, TVE_COLLAPSE);
    RECT text{};
    TreeView_GetItemRect(Tree(), sub, &text, TRUE);
    // The expand button stands left of the icon, which stands left of the text.
    POINT button{text.left - 16 - 8, (text.top + text.bottom) / 2};
    TVHITTESTINFO hit{};
    hit.pt = button;
    TreeView_HitTest(Tree(), &hit);
    ASSERT_NE(0u, hit.flags & TVHT_ONITEMBUTTON) << "flags " << hit.flags;
    ClientToScreen(Tree(), &button);

    const auto expanded = [&] { return (TreeView_GetItemState(Tree(), sub, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; };
    Frame().Tree().OnDragEnter(link.get(), 0, button);
    EXPECT_FALSE(expanded()) << "a group opens only after the pointer rested on it";
    // The wait is 800 ms; a loaded machine may deliver the timer late.
    const DWORD start = GetTickCount();
    while (!expanded() && GetTickCount() - start < 5000) {
        fwtest::pumpMessages();
        Sleep(20);
    }
    EXPECT_TRUE(expanded());
    Frame().Tree().OnDragLeave();
}

}  // namespace
