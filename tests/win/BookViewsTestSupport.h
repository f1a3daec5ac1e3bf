#pragma once
// The two panes in a frame like the program's own, a book to show, and
// readers of what their controls report: shared by the view tests.

#include "FrameworkTestSupport.h"
#include "app/AppOptions.h"
#include "framework/CSplitter.h"
#include "model/BookXml.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "platform/ComInit.h"
#include "resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"
#include "views/ItemTransfer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace viewtest {

using fwtest::HeldKeys;

using fwtest::ScriptedUiServices;
using fwtest::TempFolder;

inline std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

inline std::string utf8Of(const std::string& text932) { return CodePage::toUtf8(text932); }

// ------------------------------------------------------------------ books

inline ItemRef makeItem(ItemType type, const std::string& title, const std::string& url = "")
{
    const ItemRef item = BookmarkItem::create();
    item->assignFields(type, url, title, "", "2004/05/06");
    return item;
}

inline ItemRef addChild(BookmarkItem& parent, ItemType type, const std::string& title, const std::string& url = "")
{
    const ItemRef item = makeItem(type, title, url);
    parent.appendChild(item);
    return item;
}

// Puts `item` into `group` before `before` (null: at the end), as a view does
// before it announces the addition.
inline void place(BookmarkItem& group, const ItemRef& item, const BookmarkItem* before)
{
    item->parent = &group;
    if (before == nullptr) {
        group.children.addTail(item);
        return;
    }
    for (auto position = group.children.begin(); position != group.children.end(); ++position) {
        if (position->get() == before) {
            group.children.insertBefore(position, item);
            return;
        }
    }
    ADD_FAILURE() << "no such child";
}

inline void takeOut(BookmarkItem& group, const BookmarkItem* item)
{
    for (auto position = group.children.begin(); position != group.children.end(); ++position) {
        if (position->get() == item) {
            group.children.removeAt(position);
            return;
        }
    }
}

// トップ: a link, a group with a sub-group and a link, a URL-group, a
// separator and a link; then a link and a second group at the top level.
inline ItemRef sampleBook()
{
    const ItemRef root = BookmarkItem::create();
    const ItemRef top = addChild(*root, ItemType::Group, "トップ");
    const ItemRef link = addChild(*top, ItemType::Url, "表示 & <例>", "http://example.com/a");
    link->message = "メモ";
    const ItemRef sub = addChild(*top, ItemType::Group, "サブ１");
    addChild(*sub, ItemType::Group, "孫");
    addChild(*sub, ItemType::Url, "深いリンク", "http://example.com/deep");
    const ItemRef urlGroup = addChild(*top, ItemType::GroupUrl, "リンク付きグループ", "http://example.com/g");
    addChild(*urlGroup, ItemType::Url, "中", "http://example.com/m");
    addChild(*top, ItemType::Separator, "");
    addChild(*top, ItemType::Url, "最後", "http://example.com/z");
    addChild(*root, ItemType::Url, "トップのリンク", "http://example.com/t");
    const ItemRef second = addChild(*root, ItemType::Group, "二番目");
    addChild(*second, ItemType::Group, "空");
    return root;
}

// ------------------------------------------------------------------ the frame

class BookFrame : public CFrameWindow {
public:
    CSTreeBookView& Tree() const { return *static_cast<CSTreeBookView*>(splitter_.GetPane(0, 0)); }
    CRavloView& List() const { return *static_cast<CRavloView*>(splitter_.GetPane(0, 1)); }

protected:
    bool OnCreateClient(CREATESTRUCTW&, CCreateContext&) override
    {
        return splitter_.CreateStatic(*this) &&
               splitter_.CreateView(0, 0, std::make_unique<CSTreeBookView>(), SIZE{200, 100}) != nullptr &&
               splitter_.CreateView(0, 1, std::make_unique<CRavloView>(), SIZE{400, 100}) != nullptr;
    }
    bool PreCreateWindow(CREATESTRUCTW& cs) override
    {
        cs.x = 10;
        cs.y = 10;
        cs.cx = 800;
        cs.cy = 500;
        return true;
    }

private:
    CSplitter splitter_;
};

// ------------------------------------------------------------------ reading the controls

struct TreeEntry {
    std::string title;  // UTF-8
    int image = -1;
    int selectedImage = -1;
    BookmarkItem* item = nullptr;
};

inline TreeEntry readEntry(HWND tree, HTREEITEM entry)
{
    wchar_t text[256] = {};
    TVITEMW fields{};
    fields.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    fields.hItem = entry;
    fields.pszText = text;
    fields.cchTextMax = 256;
    EXPECT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields)));
    return {utf8(text), fields.iImage, fields.iSelectedImage, reinterpret_cast<BookmarkItem*>(fields.lParam)};
}

// The entries from `first` on as "title[children] title ...".
inline std::string outlineFrom(HWND tree, HTREEITEM first)
{
    std::string text;
    for (HTREEITEM entry = first; entry != nullptr; entry = TreeView_GetNextSibling(tree, entry)) {
        if (!text.empty()) text += " ";
        text += readEntry(tree, entry).title;
        if (const HTREEITEM child = TreeView_GetChild(tree, entry)) text += "[" + outlineFrom(tree, child) + "]";
    }
    return text;
}

inline std::string outline(HWND tree) { return outlineFrom(tree, TreeView_GetRoot(tree)); }

// Every entry carries its item, and that item's treeHandle names the entry.
inline void expectEntriesLinked(HWND tree, HTREEITEM first)
{
    for (HTREEITEM entry = first; entry != nullptr; entry = TreeView_GetNextSibling(tree, entry)) {
        const TreeEntry read = readEntry(tree, entry);
        ASSERT_NE(nullptr, read.item);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(entry), read.item->treeHandle) << read.title;
        EXPECT_EQ(read.title, utf8Of(read.item->title));
        expectEntriesLinked(tree, TreeView_GetChild(tree, entry));
    }
}

inline HTREEITEM entryOf(const BookmarkItem& item) { return reinterpret_cast<HTREEITEM>(item.treeHandle); }

inline int rowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

inline std::string cellText(HWND list, int row, int column)
{
    wchar_t text[256] = {};
    LVITEMW fields{};
    fields.iSubItem = column;
    fields.pszText = text;
    fields.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&fields));
    return utf8(text);
}

// The titles of all rows, separated by "|".
inline std::string rowTitles(HWND list)
{
    std::string titles;
    for (int row = 0; row < rowCount(list); ++row) titles += (row > 0 ? "|" : "") + cellText(list, row, 0);
    return titles;
}

inline LVITEMW rowFields(HWND list, int row)
{
    LVITEMW fields{};
    fields.mask = LVIF_IMAGE | LVIF_PARAM;
    fields.iItem = row;
    EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields)));
    return fields;
}

inline BookmarkItem* rowItem(HWND list, int row) { return reinterpret_cast<BookmarkItem*>(rowFields(list, row).lParam); }

inline std::vector<int> rowsWith(HWND list, UINT flag)
{
    std::vector<int> rows;
    for (int row = -1; (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, flag))) >= 0;)
        rows.push_back(row);
    return rows;
}

inline std::vector<int> selectedRows(HWND list) { return rowsWith(list, LVNI_SELECTED); }

inline int focusedRow(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)); }

inline std::vector<int> columnWidths(HWND list)
{
    std::vector<int> widths;
    for (int column = 0; column < 4; ++column)
        widths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)));
    return widths;
}

inline std::vector<int> savedWidths(const WindowInfo& info)
{
    return {info.titleWidth, info.urlWidth, info.messageWidth, info.dateWidth};
}

// ------------------------------------------------------------------ fixture

class BookViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        transfer.registerFormats();
        app = std::make_unique<fwtest::TestApp>();
        app->AddDocTemplate(std::make_unique<CDocTemplate>(
            IDR_MAINFRAME,
            [this] {
                auto document = std::make_unique<CRavloDoc>();
                document->setOptions(&options);
                document->setItemTransfer(&transfer);
                return document;
            },
            [] { return std::make_unique<BookFrame>(); }, [] { return std::make_unique<CRavloView>(); }));
    }
    void TearDown() override
    {
        app.reset();
        fwtest::pumpMessages();
    }

    // Saves `root` as a book and opens it through the application.
    void OpenBook(const BookmarkItem& root, const std::string& name = "book.rvl")
    {
        const std::string path = folder.File(name);
        ASSERT_TRUE(saveBook(path, root));
        ASSERT_NE(nullptr, app->OpenDocumentFile(path));
    }
    void OpenSampleBook() { OpenBook(*sampleBook()); }

    CRavloDoc& Document() const { return *static_cast<CRavloDoc*>(app->GetDocTemplate()->GetDocument()); }
    BookFrame& Frame() const { return *static_cast<BookFrame*>(app->GetDocTemplate()->GetFrame()); }
    HWND Tree() const { return Frame().Tree().treeControl(); }
    HWND List() const { return Frame().List().listControl(); }

    // The document's item at child indexes `path` below the root.
    BookmarkItem& At(std::initializer_list<long> path) const
    {
        BookmarkItem* item = Document().rootItem().get();
        for (long index : path) item = item->children.findIndex(index)->get();
        return *item;
    }

    void Send(UpdateHintKind kind, UpdateHint& hint) { Document().UpdateAllViews(nullptr, kind, &hint); }
    void AnnounceAdded(BookmarkItem& group, std::vector<BookmarkItem*> items, BookmarkItem* before, bool select)
    {
        UpdateHint hint;
        hint.group = &group;
        hint.items = std::move(items);
        hint.before = before;
        hint.select = select;
        Send(HintItemsAdded, hint);
    }
    void AnnounceChanged(BookmarkItem& item)
    {
        UpdateHint hint;
        hint.group = item.parent;
        hint.items = {&item};
        Send(HintItemChanged, hint);
    }
    // Exchanges the children at `a` and `b` of `group` and tells the views.
    void Swap(BookmarkItem& group, long a, long b, bool withPositions = true)
    {
        const auto positionA = group.children.findIndex(a);
        const auto positionB = group.children.findIndex(b);
        std::swap(*positionA, *positionB);
        UpdateHint hint;
        hint.group = &group;
        hint.positionA = withPositions ? a : -1;
        hint.positionB = withPositions ? b : -1;
        hint.items = {positionA->get(), positionB->get()};
        Send(HintItemsSwapped, hint);
    }

    ComInit com;
    ScriptedUiServices ui;
    TempFolder folder;
    AppOptions options;
    ItemTransfer transfer;
    std::unique_ptr<fwtest::TestApp> app;
};

}  // namespace viewtest
