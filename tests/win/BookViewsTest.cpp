// The two panes of the main window: the group tree on the left and the item
// list on the right, in a frame like the program's own, checked through
// what their controls report.

#include "BookViewsTestSupport.h"
#include "TestDataObject.h"

namespace {

using namespace viewtest;

// ------------------------------------------------------------------ opening a book

TEST_F(BookViewsTest, TreeShowsExactlyTheGroupsNestedAsInTheBook)
{
    OpenSampleBook();

    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(6u, SendMessageW(Tree(), TVM_GETCOUNT, 0, 0));
    // Links and separators have no entry.
    EXPECT_EQ(0u, At({1}).treeHandle);
    EXPECT_EQ(0u, At({0, 0}).treeHandle);
    EXPECT_EQ(0u, At({0, 3}).treeHandle);
    EXPECT_EQ(0u, Document().rootItem()->treeHandle);
}

TEST_F(BookViewsTest, TreeEntriesUseTheGroupAndUrlGroupImages)
{
    OpenSampleBook();

    const TreeEntry group = readEntry(Tree(), entryOf(At({0, 1})));
    EXPECT_EQ(0, group.image);
    EXPECT_EQ(1, group.selectedImage);
    const TreeEntry urlGroup = readEntry(Tree(), entryOf(At({0, 2})));
    EXPECT_EQ(4, urlGroup.image);
    EXPECT_EQ(5, urlGroup.selectedImage);
    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(Tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(6, ImageList_GetImageCount(images));
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
}

TEST_F(BookViewsTest, FirstTopGroupIsSelectedExpandedAndListed)
{
    OpenSampleBook();

    const HTREEITEM top = entryOf(At({0}));
    EXPECT_EQ(top, TreeView_GetSelection(Tree()));
    EXPECT_NE(0u, TreeView_GetItemState(Tree(), top, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(0u, TreeView_GetItemState(Tree(), entryOf(At({2})), TVIS_EXPANDED) & TVIS_EXPANDED);

    EXPECT_EQ(&At({0}), Frame().List().shownGroup());
    EXPECT_EQ(&At({0}), Document().currentGroup());
    EXPECT_EQ(u8"表示 & <例>|サブ１|リンク付きグループ||最後", rowTitles(List()));
    EXPECT_EQ(u8"http://example.com/a", cellText(List(), 0, 1));
    EXPECT_EQ(u8"メモ", cellText(List(), 0, 2));
    EXPECT_EQ(u8"2004/05/06", cellText(List(), 0, 3));
    EXPECT_EQ(u8"http://example.com/g", cellText(List(), 2, 1));
    const int images[] = {1, 0, 2, 0, 1};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(images[row], rowFields(List(), row).iImage) << row;
        EXPECT_EQ(&At({0, row}), rowItem(List(), row)) << row;
    }
    EXPECT_EQ(std::vector<int>{0}, selectedRows(List()));
    EXPECT_EQ(0, focusedRow(List()));
}

TEST_F(BookViewsTest, ListHasFourLeftAlignedColumnsAndFullRowSelection)
{
    OpenSampleBook();

    const wchar_t* const headers[] = {L"タイトル", L"URL", L"メッセージ", L"日付"};
    for (int column = 0; column < 4; ++column) {
        wchar_t text[64] = {};
        LVCOLUMNW fields{};
        fields.mask = LVCF_TEXT | LVCF_FMT;
        fields.pszText = text;
        fields.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(List(), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&fields)));
        EXPECT_EQ(utf8(headers[column]), utf8(text));
        EXPECT_EQ(LVCFMT_LEFT, fields.fmt & LVCFMT_JUSTIFYMASK);
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(List(), GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), style & LVS_TYPEMASK);
    EXPECT_NE(0u, style & LVS_EDITLABELS);
    EXPECT_EQ(0u, style & LVS_SINGLESEL);
    EXPECT_NE(0, SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(3, ImageList_GetImageCount(images));
}

TEST_F(BookViewsTest, ControlsFillTheirPanes)
{
    OpenSampleBook();

    for (const CView* view : {static_cast<const CView*>(&Frame().Tree()), static_cast<const CView*>(&Frame().List())}) {
        RECT pane;
        GetClientRect(view->GetHwnd(), &pane);
        const HWND control = GetWindow(view->GetHwnd(), GW_CHILD);
        RECT inside;
        GetWindowRect(control, &inside);
        EXPECT_EQ(pane.right, inside.right - inside.left);
        EXPECT_EQ(pane.bottom, inside.bottom - inside.top);
        EXPECT_GT(pane.right, 0);
    }
    SetFocus(Frame().List().GetHwnd());
    EXPECT_EQ(List(), GetFocus());
    SetFocus(Frame().Tree().GetHwnd());
    EXPECT_EQ(Tree(), GetFocus());
    EXPECT_EQ(&Frame().Tree(), Frame().GetActiveView());
}

// ------------------------------------------------------------------ choosing a group

TEST_F(BookViewsTest, SelectingAnEntryListsThatGroup)
{
    OpenSampleBook();

    TreeView_SelectItem(Tree(), entryOf(At({2})));
    EXPECT_EQ(u8"空", rowTitles(List()));
    EXPECT_EQ(&At({2}), Document().currentGroup());

    TreeView_SelectItem(Tree(), entryOf(At({2, 0})));
    EXPECT_EQ(0, rowCount(List()));
    EXPECT_EQ(&At({2, 0}), Document().currentGroup());

    TreeView_SelectItem(Tree(), entryOf(At({0, 2})));
    EXPECT_EQ(u8"中", rowTitles(List()));
    EXPECT_EQ(1, rowFields(List(), 0).iImage);
}

TEST_F(BookViewsTest, OpenGroupFromElsewhereSelectsAndExpandsItsEntry)
{
    OpenSampleBook();
    TreeView_SelectItem(Tree(), entryOf(At({2})));

    UpdateHint hint;
    hint.group = &At({0, 1});
    Send(HintOpenGroup, hint);

    EXPECT_EQ(entryOf(At({0, 1})), TreeView_GetSelection(Tree()));
    EXPECT_NE(0u, TreeView_GetItemState(Tree(), entryOf(At({0, 1})), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(u8"孫|深いリンク", rowTitles(List()));
    EXPECT_EQ(std::vector<int>{0}, selectedRows(List()));
}

// ------------------------------------------------------------------ additions

TEST_F(BookViewsTest, GroupAddedBeforeAnItemTakesItsPlaceInBothViews)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    const ItemRef group = makeItem(ItemType::Group, "新グループ");
    addChild(*group, ItemType::Group, "子");
    addChild(*group, ItemType::Url, "子のリンク");
    const ItemRef link = makeItem(ItemType::Url, "新リンク", "http://example.com/new");
    BookmarkItem* before = &At({0, 2});
    place(top, group, before);
    place(top, link, before);

    AnnounceAdded(top, {group.get(), link.get()}, before, false);

    EXPECT_EQ(u8"トップ[サブ１[孫] 新グループ[子] リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(u8"表示 & <例>|サブ１|新グループ|新リンク|リンク付きグループ||最後", rowTitles(List()));
    EXPECT_EQ(u8"http://example.com/new", cellText(List(), 3, 1));
    EXPECT_EQ(std::vector<int>{0}, selectedRows(List()));
}

// The list keeps selection and focus by row number: the view moves them.
TEST_F(BookViewsTest, SelectionAndFocusStayOnTheirItemsWhenRowsComeAndGoBeforeThem)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    BookmarkItem* urlGroup = &At({0, 2});
    BookmarkItem* last = &At({0, 4});
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(List(), 2, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(List(), 4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    const ItemRef link = makeItem(ItemType::Url, "新リンク", "http://example.com/new");
    place(top, link, &At({0, 1}));
    AnnounceAdded(top, {link.get()}, &At({0, 2}), false);
    EXPECT_EQ((std::vector<int>{3, 5}), selectedRows(List()));
    EXPECT_EQ(5, focusedRow(List()));
    EXPECT_EQ(urlGroup, rowItem(List(), 3));

    UpdateHint hint;
    hint.group = &top;
    hint.items = {link.get(), urlGroup};
    Send(HintItemsRemoved, hint);
    takeOut(top, link.get());
    takeOut(top, urlGroup);
    EXPECT_EQ(std::vector<int>{3}, selectedRows(List()));
    EXPECT_EQ(3, focusedRow(List()));
    EXPECT_EQ(last, rowItem(List(), 3));
}

TEST_F(BookViewsTest, GroupAddedBeforeALinkFollowsTheLastGroupEntry)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    const ItemRef group = makeItem(ItemType::Group, "新グループ");
    place(top, group, &At({0, 4}));

    AnnounceAdded(top, {group.get()}, group->parent->children.findIndex(5)->get(), false);

    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ 新グループ] 二番目[空]", outline(Tree()));
    EXPECT_EQ(u8"表示 & <例>|サブ１|リンク付きグループ||新グループ|最後", rowTitles(List()));
}

TEST_F(BookViewsTest, ItemsAddedAtTheEndWithSelectTakeTheSelection)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    const ItemRef link = makeItem(ItemType::Url, "末尾リンク");
    const ItemRef group = makeItem(ItemType::GroupUrl, "末尾グループ", "http://example.com/e");
    place(top, link, nullptr);
    place(top, group, nullptr);

    AnnounceAdded(top, {link.get(), group.get()}, nullptr, true);

    EXPECT_EQ(u8"表示 & <例>|サブ１|リンク付きグループ||最後|末尾リンク|末尾グループ", rowTitles(List()));
    EXPECT_EQ((std::vector<int>{5, 6}), selectedRows(List()));
    EXPECT_EQ(5, focusedRow(List()));
    EXPECT_EQ(2, rowFields(List(), 6).iImage);
    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ 末尾グループ] 二番目[空]", outline(Tree()));
    EXPECT_EQ(4, readEntry(Tree(), entryOf(*group)).image);
}

TEST_F(BookViewsTest, RowsAddedBelowTheVisibleOnesAreScrolledIntoView)
{
    const ItemRef root = BookmarkItem::create();
    const ItemRef top = addChild(*root, ItemType::Group, "多い");
    for (int i = 0; i < 80; ++i) addChild(*top, ItemType::Url, "リンク" + std::to_string(i));
    OpenBook(*root);
    ASSERT_EQ(0, SendMessageW(List(), LVM_GETTOPINDEX, 0, 0));
    const ItemRef added = makeItem(ItemType::Url, "追加");
    place(At({0}), added, nullptr);

    AnnounceAdded(At({0}), {added.get()}, nullptr, true);

    const auto topRow = static_cast<int>(SendMessageW(List(), LVM_GETTOPINDEX, 0, 0));
    const auto perPage = static_cast<int>(SendMessageW(List(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GT(topRow, 0);
    EXPECT_LE(topRow, 80);
    EXPECT_GT(topRow + perPage, 80);
    EXPECT_EQ(std::vector<int>{80}, selectedRows(List()));
}

TEST_F(BookViewsTest, TopLevelGroupAddedBetweenTopGroupsKeepsTheListAlone)
{
    OpenSampleBook();
    BookmarkItem& root = *Document().rootItem();
    const ItemRef group = makeItem(ItemType::Group, "間");
    const ItemRef inner = addChild(*group, ItemType::Group, "内側");
    addChild(*inner, ItemType::Group, "最深");
    place(root, group, &At({1}));

    AnnounceAdded(root, {group.get()}, &At({2}), false);

    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 間[内側[最深]] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(u8"表示 & <例>|サブ１|リンク付きグループ||最後", rowTitles(List()));
}

// ------------------------------------------------------------------ changes

TEST_F(BookViewsTest, ChangedTitleShowsInTreeAndList)
{
    OpenSampleBook();
    BookmarkItem& sub = At({0, 1});
    sub.title = "改名";
    sub.date = "2010/01/02";

    AnnounceChanged(sub);

    EXPECT_EQ(u8"トップ[改名[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_EQ(u8"改名", cellText(List(), 1, 0));
    EXPECT_EQ(u8"2010/01/02", cellText(List(), 1, 3));
    EXPECT_EQ(std::vector<int>{0}, selectedRows(List()));
}

TEST_F(BookViewsTest, GroupTurnedIntoUrlLosesItsEntryAndComesBackInPlace)
{
    OpenSampleBook();
    BookmarkItem& sub = At({0, 1});
    BookmarkItem& grandChild = At({0, 1, 0});
    sub.type = ItemType::Url;

    AnnounceChanged(sub);

    EXPECT_EQ(u8"トップ[リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_EQ(0u, sub.treeHandle);
    EXPECT_EQ(0u, grandChild.treeHandle);
    EXPECT_EQ(1, rowFields(List(), 1).iImage);

    sub.type = ItemType::Group;
    AnnounceChanged(sub);

    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(0, rowFields(List(), 1).iImage);
}

TEST_F(BookViewsTest, UrlTurnedIntoGroupGainsAnEntryAfterThePrecedingGroup)
{
    OpenSampleBook();
    BookmarkItem& last = At({0, 4});
    BookmarkItem& first = At({0, 0});
    last.type = ItemType::GroupUrl;
    first.type = ItemType::Group;

    AnnounceChanged(last);
    AnnounceChanged(first);

    EXPECT_EQ(u8"トップ[表示 & <例> サブ１[孫] リンク付きグループ 最後] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(4, readEntry(Tree(), entryOf(last)).image);
    EXPECT_EQ(2, rowFields(List(), 4).iImage);
    EXPECT_EQ(0, rowFields(List(), 0).iImage);
}

TEST_F(BookViewsTest, TopLevelRenameWithoutGroupUpdatesTheEntry)
{
    OpenSampleBook();
    BookmarkItem& second = At({2});
    second.title = "第二";
    UpdateHint hint;  // renaming a top-level entry names no group
    hint.items = {&second};

    Send(HintItemChanged, hint);

    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 第二[空]", outline(Tree()));
}

// ------------------------------------------------------------------ removals

TEST_F(BookViewsTest, RemovedItemsLeaveBothViews)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    // Held here so their fields can be looked at after they left the book.
    const ItemRef sub = *top.children.findIndex(1);
    const ItemRef grandChild = *sub->children.findIndex(0);
    const ItemRef last = *top.children.findIndex(4);
    UpdateHint hint;
    hint.group = &top;
    hint.items = {sub.get(), last.get()};

    Send(HintItemsRemoved, hint);
    takeOut(top, last.get());
    takeOut(top, sub.get());

    EXPECT_EQ(u8"トップ[リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(0u, sub->treeHandle);
    EXPECT_EQ(0u, grandChild->treeHandle);
    EXPECT_EQ(u8"表示 & <例>|リンク付きグループ|", rowTitles(List()));
}

TEST_F(BookViewsTest, RemovingTheListedGroupListsTheGroupTheTreeMovesTo)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    TreeView_SelectItem(Tree(), entryOf(At({0, 1})));
    ASSERT_EQ(u8"孫|深いリンク", rowTitles(List()));
    const ItemRef sub = *top.children.findIndex(1);
    UpdateHint hint;
    hint.group = &top;
    hint.items = {sub.get()};

    Send(HintItemsRemoved, hint);
    takeOut(top, sub.get());

    const HTREEITEM selected = TreeView_GetSelection(Tree());
    ASSERT_NE(nullptr, selected);
    BookmarkItem* shown = readEntry(Tree(), selected).item;
    EXPECT_NE(sub.get(), shown);
    EXPECT_EQ(shown, Document().currentGroup());
    ASSERT_EQ(static_cast<int>(shown->children.size()), rowCount(List()));
    for (int row = 0; row < rowCount(List()); ++row)
        EXPECT_EQ(shown->children.findIndex(row)->get(), rowItem(List(), row)) << row;
}

// ------------------------------------------------------------------ exchanges

TEST_F(BookViewsTest, SwappedGroupsExchangeEntriesAndTheSelectionFollows)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    BookmarkItem& sub = At({0, 1});
    const HTREEITEM subEntry = entryOf(sub);
    TreeView_Expand(Tree(), subEntry, TVE_EXPAND);
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(List(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    Swap(top, 1, 2);

    EXPECT_EQ(u8"トップ[リンク付きグループ サブ１[孫]] 二番目[空]", outline(Tree()));
    EXPECT_EQ(subEntry, entryOf(sub));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_NE(0u, TreeView_GetItemState(Tree(), subEntry, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(entryOf(top), TreeView_GetSelection(Tree()));
    EXPECT_EQ(u8"表示 & <例>|リンク付きグループ|サブ１||最後", rowTitles(List()));
    EXPECT_EQ(&sub, rowItem(List(), 2));
    EXPECT_EQ(0, rowFields(List(), 2).iImage);
    EXPECT_EQ(2, rowFields(List(), 1).iImage);
    EXPECT_EQ(std::vector<int>{2}, selectedRows(List()));
    EXPECT_EQ(2, focusedRow(List()));
}

TEST_F(BookViewsTest, SwappedGroupsWithoutSubGroupsTradeWhatTheirEntriesShow)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});
    const ItemRef group = makeItem(ItemType::Group, "新グループ");
    place(top, group, &At({0, 3}));
    AnnounceAdded(top, {group.get()}, &At({0, 4}), false);

    Swap(top, 2, 3);

    EXPECT_EQ(u8"トップ[サブ１[孫] 新グループ リンク付きグループ] 二番目[空]", outline(Tree()));
    expectEntriesLinked(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(4, readEntry(Tree(), entryOf(At({0, 3}))).image);
    EXPECT_EQ(0, readEntry(Tree(), entryOf(*group)).image);
}

TEST_F(BookViewsTest, SwappingAGroupWithALinkMovesOnlyRows)
{
    OpenSampleBook();
    BookmarkItem& top = At({0});

    Swap(top, 0, 1);
    Swap(top, 4, 3, false);

    EXPECT_EQ(u8"トップ[サブ１[孫] リンク付きグループ] 二番目[空]", outline(Tree()));
    EXPECT_EQ(u8"サブ１|表示 & <例>|リンク付きグループ|最後|", rowTitles(List()));
    EXPECT_EQ(std::vector<int>{1}, selectedRows(List()));
    EXPECT_EQ(1, focusedRow(List()));
    EXPECT_EQ(u8"http://example.com/z", cellText(List(), 3, 1));
}

// ------------------------------------------------------------------ a new tree

TEST_F(BookViewsTest, ResetEmptiesBothViewsAndTheNextBookIsShown)
{
    OpenSampleBook();
    TreeView_SelectItem(Tree(), entryOf(At({0, 1})));
    // Keeps the old tree alive to look at it after the document let it go.
    const ItemRef oldRoot = Document().rootItem();

    Document().DeleteContents();

    EXPECT_EQ(0u, SendMessageW(Tree(), TVM_GETCOUNT, 0, 0));
    EXPECT_EQ(0, rowCount(List()));
    EXPECT_EQ(nullptr, Frame().List().shownGroup());
    EXPECT_EQ(nullptr, Document().currentGroup());
    const std::function<void(const BookmarkItem&)> expectForgotten = [&](const BookmarkItem& item) {
        EXPECT_EQ(0u, item.treeHandle) << utf8Of(item.title);
        for (const ItemRef& child : item.children) expectForgotten(*child);
    };
    expectForgotten(*oldRoot);

    const ItemRef other = BookmarkItem::create();
    const ItemRef chapter = addChild(*other, ItemType::Group, "別の本");
    addChild(*chapter, ItemType::Url, "頁", "http://example.com/p");
    addChild(*chapter, ItemType::Group, "章");
    OpenBook(*other, "other.rvl");

    EXPECT_EQ(u8"別の本[章]", outline(Tree()));
    EXPECT_EQ(u8"頁|章", rowTitles(List()));
    EXPECT_EQ(&At({0}), Document().currentGroup());
}

TEST_F(BookViewsTest, ABookWithoutGroupsStillTakesDrops)
{
    const ItemRef root = BookmarkItem::create();
    addChild(*root, ItemType::Url, "頁", "http://example.com/p");
    OpenBook(*root, "flat.rvl");
    EXPECT_EQ(0u, SendMessageW(Tree(), TVM_GETCOUNT, 0, 0));
    // OLE keeps a registered drop target in this window property.
    EXPECT_NE(nullptr, GetPropW(Tree(), L"OleDropTargetInterface"));
}

// ------------------------------------------------------------------ column widths

TEST_F(BookViewsTest, ColumnWidthsAreTheDefaultsWithoutCompleteWindowInformation)
{
    options.windowInfo.titleWidth = 300;
    options.windowInfo.urlWidth = 301;
    options.windowInfo.messageWidth = 302;
    options.windowInfo.dateWidth = 303;
    OpenSampleBook();

    EXPECT_EQ((std::vector<int>{120, 160, 200, 80}), columnWidths(List()));
}

TEST_F(BookViewsTest, ColumnWidthsComeFromCompleteWindowInformation)
{
    options.windowInfo.titleWidth = 111;
    options.windowInfo.urlWidth = 222;
    options.windowInfo.messageWidth = 133;
    options.windowInfo.dateWidth = 44;
    options.windowInfo.complete = 1;
    OpenSampleBook();

    EXPECT_EQ((std::vector<int>{111, 222, 133, 44}), columnWidths(List()));
}

TEST_F(BookViewsTest, ColumnWidthsChangedByTheUserAreSavedWhenTheFrameCloses)
{
    OpenSampleBook();
    const int widths[] = {90, 250, 61, 130};
    for (int column = 0; column < 4; ++column) SendMessageW(List(), LVM_SETCOLUMNWIDTH, column, widths[column]);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), savedWidths(options.windowInfo));

    app.reset();

    EXPECT_EQ((std::vector<int>{90, 250, 61, 130}), savedWidths(options.windowInfo));
}

// ------------------------------------------------------------------ separators

// The list painted into a 32-bit bitmap of our own.
class ListPicture {
public:
    explicit ListPicture(HWND list) : dc_(CreateCompatibleDC(nullptr))
    {
        RECT client;
        GetClientRect(list, &client);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~ListPicture()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    ListPicture(const ListPicture&) = delete;
    ListPicture& operator=(const ListPicture&) = delete;

    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels of column `x` between `top` and `bottom` have `colour`.
    int Count(int x, int top, int bottom, COLORREF colour) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y) count += At(x, y) == colour ? 1 : 0;
        return count;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

RECT rowBounds(HWND list, int row)
{
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

TEST_F(BookViewsTest, SeparatorRowIsDrawnAsATwoPixelLineAcrossTheRow)
{
    OpenSampleBook();
    const int separator = 3;
    ASSERT_TRUE(At({0, separator}).isSeparator());
    const RECT bounds = rowBounds(List(), separator);
    const int middle = (bounds.top + bounds.bottom) / 2;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);

    const ListPicture plain(List());
    EXPECT_EQ(text, plain.At(bounds.left + 20, middle));
    EXPECT_EQ(text, plain.At(bounds.right - 6, middle));
    EXPECT_EQ(window, plain.At(bounds.left + 2, middle));
    EXPECT_EQ(2, plain.Count(bounds.left + 20, bounds.top, bounds.bottom, text));
    EXPECT_EQ(bounds.bottom - bounds.top - 2, plain.Count(bounds.left + 20, bounds.top, bounds.bottom, window));

    SetFocus(List());
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(List(), separator, LVIS_SELECTED, LVIS_SELECTED);
    const ListPicture selected(List());
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_EQ(highlightText, selected.At(bounds.left + 20, middle));
    EXPECT_EQ(2, selected.Count(bounds.left + 20, bounds.top, bounds.bottom, highlightText));
    EXPECT_EQ(highlight, selected.At(bounds.left + 20, bounds.top + 2));
}

TEST_F(BookViewsTest, ADropOnTheTreeTakesItsInsertMarkAway)
{
    OpenSampleBook();
    const COLORREF magenta = RGB(255, 0, 255);  // nothing else in the tree has it
    TreeView_SetInsertMarkColor(Tree(), magenta);
    RECT text{}, client{};
    TreeView_GetItemRect(Tree(), entryOf(At({0, 1})), &text, TRUE);
    GetClientRect(Tree(), &client);
    POINT top{text.left + 2, text.top};
    ClientToScreen(Tree(), &top);
    const auto link = dndtest::TestDataObject::make();
    link->offer(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format")), "<a href=\"u\">t</a>");
    const int x = (text.left + text.right) / 2;
    Frame().Tree().OnDragEnter(link.get(), 0, top);
    ASSERT_GT(ListPicture(Tree()).Count(x, 0, client.bottom, magenta), 0);
    Frame().Tree().OnDrop(link.get(), 0, top);
    EXPECT_EQ(0, ListPicture(Tree()).Count(x, 0, client.bottom, magenta));
}

// ------------------------------------------------------------------ a large book

TEST_F(BookViewsTest, ThousandsOfGroupsFillTheTree)
{
    app->OnFileNew();
    CRavloDoc& document = Document();
    document.DeleteContents();
    const ItemRef top = addChild(*document.rootItem(), ItemType::Group, "マイブックマーク");
    BookmarkItem* lastGroup = nullptr;
    BookmarkItem* lastSection = nullptr;
    for (int s = 0; s < 40; ++s) {
        const ItemRef section = addChild(*top, ItemType::Group, "区分" + std::to_string(s));
        for (int g = 0; g < 79; ++g) {
            const ItemRef group = addChild(*section, ItemType::Group, "グループ" + std::to_string(g));
            for (int l = 0; l < 30; ++l) addChild(*group, ItemType::Url, "リンク", "http://example.com/");
            lastGroup = group.get();
        }
        lastSection = section.get();
    }

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Frame().Tree().OnInitialUpdate();
    QueryPerformanceCounter(&end);

    EXPECT_EQ(1u + 40u + 40u * 79u, SendMessageW(Tree(), TVM_GETCOUNT, 0, 0));
    EXPECT_EQ(entryOf(*lastSection), TreeView_GetParent(Tree(), entryOf(*lastGroup)));
    EXPECT_EQ(nullptr, TreeView_GetNextSibling(Tree(), entryOf(*lastGroup)));
    EXPECT_EQ(u8"グループ78", readEntry(Tree(), entryOf(*lastGroup)).title);
    EXPECT_EQ(40, rowCount(List()));
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("[ measured ] tree fill of %u groups (%d links): %.3f s\n", 1 + 40 + 40 * 79, 40 * 79 * 30, seconds);
    RecordProperty("treeFillMilliseconds", static_cast<int>(seconds * 1000));
}

}  // namespace
