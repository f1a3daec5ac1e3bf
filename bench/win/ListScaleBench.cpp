// Times what the user waits for in a large group, in the real main window:
//   ListScaleBench [--book BOOK.rvl] N...
// For each N a group of N links is added to the first top-level group of
// the book (a new book without --book) and shown by selecting it in the
// tree; then the list's operations run on it as the user starts them (keys,
// commands, the in-place editor): sort by title after the question, select
// all (Home, Shift+End), move a block of N/4 rows down, create, rename and
// edit one item, delete N/2 selected rows after the question, import N/4
// links in one step, open the duplicates dialog on them (searched in the
// whole book) and cancel it. A group of N sub-groups measures the tree:
// adding it, and moving 500 of them down among their siblings (expanded, so
// their entries are on show). Each time runs until every message the
// operation caused has been handled and the idle update is done. Prints
// "N operation milliseconds" lines.

#include "BenchApp.h"
#include "app/CMainFrame.h"
#include "framework/UiServices.h"
#include "model/BookmarkItem.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Answers every question with OK, so a delete runs without waiting for the user.
class AnswerOk : public UiServices {
public:
    AnswerOk() : previous_(UiServices::Install(this)) {}
    ~AnswerOk() override { UiServices::Install(previous_); }
    AnswerOk(const AnswerOk&) = delete;
    AnswerOk& operator=(const AnswerOk&) = delete;

    int ShowMessage(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
    std::vector<std::string> ChooseFiles(HWND, const FileDialogRequest&) override { return {}; }
    bool BrowseForFolder(HWND, const std::string&, const std::string&, std::string&) override { return false; }
    bool OpenWithShell(HWND, const std::string&, const std::string&, const std::string&) override { return true; }

private:
    UiServices* previous_;
};

// Presses `button` in every dialog as soon as it is activated.
class DialogAnswer {
public:
    explicit DialogAnswer(UINT button) : hook_(SetWindowsHookExW(WH_CBT, OnEvent, nullptr, GetCurrentThreadId()))
    {
        button_ = button;
    }
    ~DialogAnswer() { UnhookWindowsHookEx(hook_); }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

private:
    static LRESULT CALLBACK OnEvent(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE) {
            const auto window = reinterpret_cast<HWND>(wParam);
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wcscmp(name, L"#32770") == 0) PostMessageW(window, WM_COMMAND, button_, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline UINT button_ = IDOK;
    HHOOK hook_;
};

// Runs `action` as if `key` were held down.
template <class Action>
void withKeyHeld(int key, Action action)
{
    BYTE saved[256] = {};
    GetKeyboardState(saved);
    BYTE held[256] = {};
    std::copy(saved, saved + 256, held);
    held[key] = 0x80;
    SetKeyboardState(held);
    action();
    SetKeyboardState(saved);
}

class Session {
public:
    Session(BenchApp& app, CMainFrame& frame)
        : app_(app),
          document_(*dynamic_cast<CRavloDoc*>(frame.GetActiveDocument())),
          listView_(*frame.listView()),
          tree_(frame.treeView()->treeControl()),
          list_(frame.listView()->listControl())
    {
    }

    void run(int count)
    {
        BookmarkItem& top = *document_.rootItem()->children.front();
        const ItemRef links = group("リンク集", count, ItemType::Url);
        settle();
        document_.editor().appendItems(top, {links});
        report(count, "show", [&] { TreeView_SelectItem(tree_, treeEntry(*links)); });
        report(count, "sort_by_title", [&] {
            const AnswerOk ok;
            command(ID_ITEM_SORT_TITLE);
        });
        report(count, "select_all", [&] {
            SendMessageW(list_, WM_KEYDOWN, VK_HOME, 0);
            withKeyHeld(VK_SHIFT, [&] { SendMessageW(list_, WM_KEYDOWN, VK_END, 0); });
        });
        selectBlock(count / 4, count / 4);
        report(count, "move_block_down", [&] { altKey(VK_DOWN); });
        report(count, "create", [&] { command(ID_ITEM_NEW_SEPARATOR); });
        selectBlock(0, 1);
        report(count, "rename", [&] { renameFocusedRow(); });
        selectBlock(1, 1);
        report(count, "edit", [&] {
            const DialogAnswer accept(IDOK);
            command(ID_ITEM_EDIT);
        });
        selectBlock(count / 4, count / 2);
        report(count, "delete_half", [&] {
            const AnswerOk ok;
            SendMessageW(list_, WM_KEYDOWN, VK_DELETE, 0);
        });
        const std::vector<ItemRef> imported = linksOf(count / 4);
        report(count, "import_quarter", [&] { document_.editor().appendItems(*links, imported); });
        // The imported links repeat the URLs of the first quarter.
        report(count, "find_duplicates", [&] {
            const DialogAnswer cancel(IDCANCEL);
            command(ID_EDIT_FIND_DUPLICATES);
        });

        const ItemRef groups = group("グループ集", count, ItemType::Group);
        report(count, "tree_add_groups", [&] { document_.editor().appendItems(top, {groups}); });
        TreeView_SelectItem(tree_, treeEntry(*groups));
        TreeView_Expand(tree_, treeEntry(*groups), TVE_EXPAND);
        selectBlock(count / 2, 500);
        report(count, "tree_move_500", [&] { altKey(VK_DOWN); });
        removeFromTop(top, {links.get(), groups.get()});
    }

private:
    template <class Operation>
    void report(int count, const char* name, Operation operation)
    {
        std::printf("%d %s %.1f\n", count, name, app_.settledMs(operation));
        std::fflush(stdout);
    }

    void settle() { app_.settle(); }

    static ItemRef group(const std::string& title, int count, ItemType childType)
    {
        const ItemRef group = BookmarkItem::create();
        group->makeGroup(title, "2024/01/02");
        for (int i = 0; i < count; ++i) {
            const ItemRef child = BookmarkItem::create();
            child->assignFields(childType, childType == ItemType::Url ? "http://example.jp/" + std::to_string(i) : "",
                                "項目 & <" + std::to_string(i) + ">", "", "2024/01/02");
            group->appendChild(child);
        }
        return group;
    }

    static std::vector<ItemRef> linksOf(int count)
    {
        const ItemRef holder = group("", count, ItemType::Url);
        std::vector<ItemRef> links(holder->children.begin(), holder->children.end());
        for (const ItemRef& link : links) link->parent = nullptr;
        return links;
    }

    static HTREEITEM treeEntry(const BookmarkItem& item) { return reinterpret_cast<HTREEITEM>(item.treeHandle); }

    void setRows(int row, UINT state)
    {
        LVITEMW fields{};
        fields.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        fields.state = state;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&fields));
    }

    // Selects `count` rows from `first` on, the first one focused.
    void selectBlock(int first, int count)
    {
        setRows(-1, 0);
        for (int row = first; row < first + count; ++row)
            setRows(row, row == first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED);
        settle();
    }

    void altKey(UINT key)
    {
        withKeyHeld(VK_MENU, [&] { SendMessageW(list_, WM_SYSKEYDOWN, key, 1 << 29); });
    }

    void command(UINT id) { SendMessageW(listView_.GetHwnd(), WM_COMMAND, id, 0); }

    void renameFocusedRow()
    {
        command(ID_ITEM_RENAME);
        const auto edit = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETEDITCONTROL, 0, 0));
        if (edit == nullptr) return;
        SetWindowTextW(edit, L"改名した項目");
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    }

    // Takes the benchmark's groups out of the book, as a delete in the tree does.
    void removeFromTop(BookmarkItem& top, const std::vector<BookmarkItem*>& items)
    {
        TreeView_SelectItem(tree_, treeEntry(top));
        UpdateHint hint;
        hint.group = &top;
        hint.items = items;
        document_.UpdateAllViews(nullptr, HintItemsRemoved, &hint);
        for (const BookmarkItem* item : items) {
            for (auto child = top.children.begin(); child != top.children.end(); ++child) {
                if (child->get() != item) continue;
                top.children.removeAt(child);
                break;
            }
        }
        document_.SetModifiedFlag(false);
        settle();
    }

    BenchApp& app_;
    CRavloDoc& document_;
    CRavloView& listView_;
    HWND tree_;
    HWND list_;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring book;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--book") == 0 && i + 1 < argc)
            book = argv[++i];
        else
            counts.push_back(_wtoi(argv[i]));
    }
    if (counts.empty()) {
        std::fputs("usage: ListScaleBench [--book BOOK.rvl] N...\n", stderr);
        return 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    BenchApp app(book);
    auto* frame = app.InitInstance() ? dynamic_cast<CMainFrame*>(app.GetMainWindow()) : nullptr;
    if (frame == nullptr || frame->GetActiveDocument() == nullptr) {
        std::fputs("ListScaleBench: the main window did not open\n", stderr);
        return 1;
    }
    Session session(app, *frame);
    for (int count : counts) session.run(count);
    SendMessageW(frame->GetHwnd(), WM_CLOSE, 0, 0);
    return 0;
}
