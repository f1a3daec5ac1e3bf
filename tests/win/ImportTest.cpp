// Importing bookmarks: the favourites importer on a folder of Internet
// Shortcuts, the URL list dialog, the import dialog, and the document's
// command that adds the kept pairs to the book, all driven through the
// dialogs' controls with a scripted folder browser.

#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "app/ShellFolders.h"
#include "import/CBookImportDlg.h"
#include "import/IEFavoritesImporter.h"
#include "import/ImporterList.h"
#include "model/CRavloDoc.h"
#include "model/ShownGroupView.h"
#include "model/TodayText.h"
#include "model/UpdateHint.h"
#include "res/resource.h"
#include "views/CUrlListImportDlg.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using fwtest::ScriptedUiServices;
using fwtest::TempFolder;

const char* const IEName = "Internet Explorerのブックマークよりインポート";

// A favourites folder: shortcuts, things the importer must pass over, and
// subfolders it must not enter. Removed with everything put into it.
class FavouritesFolder {
public:
    ~FavouritesFolder()
    {
        for (auto entry = created_.rbegin(); entry != created_.rend(); ++entry) {
            const std::wstring path = CodePage::toWide(entry->first);
            if (entry->second)
                RemoveDirectoryW(path.c_str());
            else
                DeleteFileW(path.c_str());
        }
    }
    const std::string& Path() const { return root_.Path(); }

    std::string file(const std::string& relative, const std::string& text)
    {
        const std::string path = Path() + "\\" + relative;
        std::ofstream out(CodePage::toWide(path).c_str(), std::ios::binary);
        out << text;
        created_.emplace_back(path, false);
        return path;
    }
    void shortcut(const std::string& relative, const std::string& url)
    {
        file(relative, "[InternetShortcut]\r\nURL=" + url + "\r\n");
    }
    void subfolder(const std::string& relative)
    {
        const std::string path = Path() + "\\" + relative;
        CreateDirectoryW(CodePage::toWide(path).c_str(), nullptr);
        created_.emplace_back(path, true);
    }
    // Four shortcuts to read, and everything else a real folder may hold.
    void fill()
    {
        shortcut("Example Site.url", "http://example.com/");
        shortcut("日本語のページ.url", "http://example.jp/ページ");
        shortcut("a.b.url", "http://ab.example/");
        shortcut("UPPER.URL", "http://upper.example/");
        shortcut("blank.url", "");
        file("nokey.url", "[Other]\r\nURL=http://other.example/\r\n");
        shortcut("x.urlx", "http://urlx.example/");
        shortcut("notes.txt", "http://notes.example/");
        subfolder("y.url");
        shortcut("y.url\\inner.url", "http://inner.example/");
        subfolder("サブフォルダ");
        shortcut("サブフォルダ\\nested.url", "http://nested.example/");
    }

private:
    TempFolder root_;
    std::vector<std::pair<std::string, bool>> created_;  // path, is a folder
};

// The pairs fill() puts in, as "title | url" in UTF-8. The listing's order is
// the file system's, so pairs are compared sorted.
std::vector<std::string> expectedPairs()
{
    return {u8"UPPER | http://upper.example/", u8"a.b | http://ab.example/", u8"Example Site | http://example.com/",
            u8"日本語のページ | http://example.jp/ページ"};
}

std::vector<std::string> sortedPairs(const std::vector<std::string>& titles, const std::vector<std::string>& urls)
{
    std::vector<std::string> pairs;
    for (size_t i = 0; i < std::min(titles.size(), urls.size()); ++i)
        pairs.push_back(CodePage::toUtf8(titles[i] + " | " + urls[i]));
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

std::vector<std::string> sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

// ---------------------------------------------------------------- controls

void press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::wstring windowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::vector<std::wstring> listBoxTexts(HWND list)
{
    std::vector<std::wstring> texts;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

int rowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring cellText(HWND list, int row, int column)
{
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

bool isChecked(HWND list, int row)
{
    const auto state = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return static_cast<UINT>(state) == INDEXTOSTATEIMAGEMASK(2);
}

void uncheck(HWND list, int row)
{
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The rows of the URL list as "title | url" in UTF-8, in their order.
std::vector<std::string> shownRows(HWND list)
{
    std::vector<std::string> rows;
    for (int row = 0; row < rowCount(list); ++row)
        rows.push_back(CodePage::toUtf8(CodePage::fromWide(cellText(list, row, 0) + L" | " + cellText(list, row, 1))));
    return rows;
}

// ---------------------------------------------------------------- driving

// The import dialog stays visible under the URL list it opens, so each step
// of a run names a control that only its own dialog has. A step runs on the
// first tick that finds a visible dialog with that control.
class DialogSteps {
public:
    struct Step {
        int controlId;
        std::function<void(HWND)> action;
    };

    explicit DialogSteps(std::vector<Step> steps) : steps_(steps.begin(), steps.end())
    {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 10, Tick);
    }
    ~DialogSteps()
    {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    DialogSteps(const DialogSteps&) = delete;
    DialogSteps& operator=(const DialogSteps&) = delete;

    size_t Left() const { return steps_.size(); }

private:
    static DialogSteps*& Current()
    {
        static DialogSteps* current = nullptr;
        return current;
    }
    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
    {
        auto* result = reinterpret_cast<std::pair<int, HWND>*>(found);
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd) || GetDlgItem(hwnd, result->first) == nullptr)
            return TRUE;
        result->second = hwnd;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogSteps* self = Current();
        if (self == nullptr || self->steps_.empty()) return;
        std::pair<int, HWND> found{self->steps_.front().controlId, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
        if (found.second == nullptr) return;
        const Step step = std::move(self->steps_.front());
        self->steps_.pop_front();
        step.action(found.second);
    }

    std::deque<Step> steps_;
    UINT_PTR timer_;
};

DialogSteps::Step onImportDialog(std::function<void(HWND)> action) { return {IDC_IMPORT_SOURCES, std::move(action)}; }
DialogSteps::Step onUrlList(std::function<void(HWND)> action) { return {IDC_URL_LIST, std::move(action)}; }
DialogSteps::Step pressOnImportDialog(int id)
{
    return onImportDialog([id](HWND dialog) { press(dialog, id); });
}

std::string readLog()
{
    std::ifstream in("log.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> logLines()
{
    std::vector<std::string> lines;
    std::istringstream in(readLog());
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// ---------------------------------------------------------------- favourites importer

class FavouritesImporterTest : public ::testing::Test {
protected:
    ScriptedUiServices ui;
    FavouritesFolder folder;
    IEFavoritesImporter importer;
    std::vector<std::string> titles;
    std::vector<std::string> urls;
};

TEST_F(FavouritesImporterTest, ReadsOnlyTheShortcutsDirectlyInTheChosenFolder)
{
    folder.fill();
    ui.folderChoices = {folder.Path()};
    titles = {"earlier"};
    urls = {"http://earlier.example/"};

    EXPECT_EQ(1, importer.Import(nullptr, titles, urls));

    std::vector<std::string> wanted = expectedPairs();
    wanted.push_back(u8"earlier | http://earlier.example/");
    EXPECT_EQ(sorted(wanted), sortedPairs(titles, urls));
    EXPECT_EQ("earlier", titles.front());
}

TEST_F(FavouritesImporterTest, BrowserStartsAtTheFavouritesFolderWithItsTitle)
{
    std::string favourites;
    ASSERT_TRUE(GetSpecialFolderPath(nullptr, CSIDL_FAVORITES, favourites));
    EXPECT_EQ(1, importer.IsAvailable());
    EXPECT_EQ(CodePage::toUtf8(IEName), CodePage::toUtf8(importer.GetName()));
    ui.folderChoices = {""};

    EXPECT_EQ(0, importer.Import(nullptr, titles, urls));

    ASSERT_EQ(1u, ui.folderRequests.size());
    EXPECT_EQ(u8"Internet Explorerのブックマークのフォルダ", CodePage::toUtf8(ui.folderRequests[0][0]));
    EXPECT_EQ(favourites, ui.folderRequests[0][1]);
    EXPECT_TRUE(titles.empty());
    EXPECT_TRUE(urls.empty());
}

TEST_F(FavouritesImporterTest, FolderWithoutShortcutsStillCountsAsAnImport)
{
    folder.subfolder("empty.url");
    ui.folderChoices = {folder.Path()};
    EXPECT_EQ(1, importer.Import(nullptr, titles, urls));
    EXPECT_TRUE(titles.empty());
    EXPECT_TRUE(urls.empty());
}

TEST_F(FavouritesImporterTest, ShortcutFileGivesItsNameAndAtMost259CharactersOfUrl)
{
    const std::string longUrl = "http://example.com/" + std::string(300 - 19, 'a');
    const std::string path = folder.file("長い.url", "[InternetShortcut]\r\nURL=" + longUrl + "\r\n");
    EXPECT_EQ(1, IEFavoritesImporter::ReadUrlFile(nullptr, path, titles, urls));
    ASSERT_EQ(1u, titles.size());
    EXPECT_EQ(CodePage::toUtf8("長い"), CodePage::toUtf8(titles[0]));
    ASSERT_EQ(1u, urls.size());
    EXPECT_EQ(longUrl.substr(0, 259), urls[0]);

    EXPECT_EQ(0, IEFavoritesImporter::ReadUrlFile(nullptr, folder.Path() + "\\missing.url", titles, urls));
    EXPECT_EQ(0, IEFavoritesImporter::ReadUrlFile(nullptr, folder.file("empty.url", "[InternetShortcut]\r\nURL=\r\n"),
                                                  titles, urls));
    EXPECT_EQ(1u, titles.size());
    EXPECT_EQ(1u, urls.size());
}

// ---------------------------------------------------------------- URL list dialog

class UrlListDialogTest : public ::testing::Test {
protected:
    INT_PTR run(std::function<void(HWND)> action)
    {
        CUrlListImportDlg dialog;
        dialog.titles = &titles;
        dialog.urls = &urls;
        ModalDriver driver(std::move(action));
        return dialog.DoModal(nullptr);
    }

    std::vector<std::string> titles = {"一つ目", "二つ目", "三つ目"};
    std::vector<std::string> urls = {"http://one.example/", "http://two.example/", "http://three.example/"};
};

TEST_F(UrlListDialogTest, ShowsEveryPairCheckedAndOkDropsTheUncheckedOnes)
{
    std::wstring caption, titleHeader, urlHeader;
    int titleWidth = 0;
    std::vector<std::string> rows;
    std::vector<bool> checks;
    const INT_PTR result = run([&](HWND dialog) {
        caption = windowText(dialog);
        const HWND list = GetDlgItem(dialog, IDC_URL_LIST);
        wchar_t text[64] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = 64;
        SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        titleHeader = text;
        titleWidth = column.cx;
        SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
        urlHeader = text;
        rows = shownRows(list);
        for (int row = 0; row < rowCount(list); ++row) checks.push_back(isChecked(list, row));
        uncheck(list, 1);
        press(dialog, IDOK);
    });

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"URLリストインポート", caption);
    EXPECT_EQ(L"タイトル", titleHeader);
    EXPECT_EQ(200, titleWidth);
    EXPECT_EQ(L"URL", urlHeader);
    EXPECT_EQ((std::vector<std::string>{u8"一つ目 | http://one.example/", u8"二つ目 | http://two.example/",
                                        u8"三つ目 | http://three.example/"}),
              rows);
    EXPECT_EQ((std::vector<bool>{true, true, true}), checks);
    EXPECT_EQ(sorted({u8"一つ目 | http://one.example/", u8"三つ目 | http://three.example/"}),
              sortedPairs(titles, urls));
    EXPECT_EQ(CodePage::toUtf8("一つ目"), CodePage::toUtf8(titles.front()));
}

TEST_F(UrlListDialogTest, CancelLeavesTheListsAlone)
{
    const INT_PTR result = run([](HWND dialog) {
        uncheck(GetDlgItem(dialog, IDC_URL_LIST), 0);
        press(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(3u, titles.size());
    EXPECT_EQ(3u, urls.size());
}

TEST_F(UrlListDialogTest, UnequalListsShowTheShorterLengthAndKeepTheRest)
{
    urls.pop_back();
    int shown = -1;
    const INT_PTR result = run([&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_URL_LIST);
        shown = rowCount(list);
        for (int row = 0; row < shown; ++row) uncheck(list, row);
        press(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(2, shown);
    ASSERT_EQ(1u, titles.size());
    EXPECT_EQ(CodePage::toUtf8("三つ目"), CodePage::toUtf8(titles[0]));
    EXPECT_TRUE(urls.empty());
}

TEST_F(UrlListDialogTest, EmptyListsConfirmAsEmpty)
{
    titles.clear();
    urls.clear();
    int shown = -1;
    const INT_PTR result = run([&](HWND dialog) {
        shown = rowCount(GetDlgItem(dialog, IDC_URL_LIST));
        press(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, shown);
    EXPECT_TRUE(titles.empty());
}

// ---------------------------------------------------------------- import dialog

struct ImportDialogState {
    std::wstring caption;
    std::vector<std::wstring> sources;
    int selected = -2;
    bool openGroupEnabled = false;
    bool openGroupChecked = false;
    bool topGroupChecked = false;

    void read(HWND dialog)
    {
        caption = windowText(dialog);
        const HWND list = GetDlgItem(dialog, IDC_IMPORT_SOURCES);
        sources = listBoxTexts(list);
        selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        openGroupEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_IMPORT_TO_OPEN_GROUP)) != FALSE;
        openGroupChecked = IsDlgButtonChecked(dialog, IDC_IMPORT_TO_OPEN_GROUP) == BST_CHECKED;
        topGroupChecked = IsDlgButtonChecked(dialog, IDC_IMPORT_TO_TOP_GROUP) == BST_CHECKED;
    }
};

class ImportDialogTest : public ::testing::Test {
protected:
    INT_PTR run(std::vector<DialogSteps::Step> steps)
    {
        DialogSteps driver(std::move(steps));
        const INT_PTR result = dialog.DoModal(nullptr);
        EXPECT_EQ(0u, driver.Left()) << "steps the dialogs never reached";
        return result;
    }

    ScriptedUiServices ui;
    FavouritesFolder folder;
    CBookImportDlg dialog;
};

TEST_F(ImportDialogTest, ListsTheAvailableSourcesAndTheOpenGroupWhenThereIsOne)
{
    std::vector<std::wstring> available;
    for (const auto& importer : createImporters())
        if (importer->IsAvailable()) available.push_back(CodePage::toWide(importer->GetName()));

    for (bool hasGroup : {true, false}) {
        SCOPED_TRACE(hasGroup ? "with an open group" : "without an open group");
        CBookImportDlg shownDialog;
        shownDialog.hasCurrentGroup = hasGroup;
        ImportDialogState state;
        DialogSteps driver({onImportDialog([&](HWND window) {
            state.read(window);
            press(window, IDCANCEL);
        })});
        EXPECT_EQ(IDCANCEL, shownDialog.DoModal(nullptr));

        EXPECT_EQ(L"ブックマークインポート", state.caption);
        EXPECT_EQ(available, state.sources);
        ASSERT_FALSE(state.sources.empty());
        EXPECT_EQ(CodePage::toWide(IEName), state.sources.front());
        EXPECT_EQ(0, state.selected);
        EXPECT_EQ(hasGroup, state.openGroupEnabled);
        EXPECT_EQ(hasGroup, state.openGroupChecked);
        EXPECT_EQ(!hasGroup, state.topGroupChecked);
    }
}

TEST_F(ImportDialogTest, ImportWithoutASelectionDoesNothing)
{
    bool stillOpen = false;
    const INT_PTR result = run({onImportDialog([](HWND window) {
                                    SendDlgItemMessageW(window, IDC_IMPORT_SOURCES, LB_SETCURSEL,
                                                        static_cast<WPARAM>(-1), 0);
                                    press(window, IDOK);
                                }),
                                onImportDialog([&](HWND window) {
                                    stillOpen = true;
                                    press(window, IDCANCEL);
                                })});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(ui.folderRequests.empty());
}

TEST_F(ImportDialogTest, CancelledFolderBrowserKeepsTheDialogForAnotherTry)
{
    folder.fill();
    ui.folderChoices = {"", folder.Path()};
    size_t browsedBeforeSecondTry = 0;
    std::vector<std::string> rows;
    const INT_PTR result = run({pressOnImportDialog(IDOK), onImportDialog([&](HWND window) {
                                    browsedBeforeSecondTry = ui.folderRequests.size();
                                    press(window, IDOK);
                                }),
                                onUrlList([&](HWND window) {
                                    rows = shownRows(GetDlgItem(window, IDC_URL_LIST));
                                    press(window, IDOK);
                                })});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1u, browsedBeforeSecondTry);
    EXPECT_EQ(2u, ui.folderRequests.size());
    EXPECT_EQ(sorted(expectedPairs()), sorted(rows));
    EXPECT_EQ(sorted(expectedPairs()), sortedPairs(dialog.titles, dialog.urls));
}

TEST_F(ImportDialogTest, CancelledUrlListKeepsTheDialogAndTheNextImportStartsAfresh)
{
    folder.fill();
    ui.folderChoices = {folder.Path(), folder.Path()};
    int rowsSecondTime = 0;
    const INT_PTR result = run({pressOnImportDialog(IDOK),
                                onUrlList([](HWND window) { press(window, IDCANCEL); }),
                                pressOnImportDialog(IDOK), onUrlList([&](HWND window) {
                                    rowsSecondTime = rowCount(GetDlgItem(window, IDC_URL_LIST));
                                    press(window, IDOK);
                                })});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(4, rowsSecondTime);
    EXPECT_EQ(4u, dialog.titles.size());
    EXPECT_EQ(4u, dialog.urls.size());
}

TEST_F(ImportDialogTest, DoubleClickOnASourceImportsAndTheTraceTellsTheSteps)
{
    folder.fill();
    ui.folderChoices = {folder.Path()};
    dialog.hasCurrentGroup = true;
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    const INT_PTR result = run({onImportDialog([](HWND window) {
                                    CheckRadioButton(window, IDC_IMPORT_TO_OPEN_GROUP, IDC_IMPORT_TO_TOP_GROUP,
                                                     IDC_IMPORT_TO_TOP_GROUP);
                                    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_IMPORT_SOURCES, LBN_DBLCLK),
                                                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_IMPORT_SOURCES)));
                                }),
                                onUrlList([](HWND window) { press(window, IDOK); })});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(CBookImportDlg::TopGroup, dialog.destination);
    EXPECT_EQ(4u, dialog.titles.size());
    wchar_t after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_EQ(std::wstring(before), std::wstring(after));

    const std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 5u);
    const std::vector<std::string> wanted = {"インポートボタンクリック", "0番目の項目を選択",
                                             std::string(IEName) + "を選択", "インポート関数呼出"};
    int sequence = -1;
    for (size_t i = 0; i < wanted.size(); ++i) {
        const std::string& line = lines[lines.size() - wanted.size() + i];
        SCOPED_TRACE(CodePage::toUtf8(line));
        EXPECT_NE(std::string::npos, line.find("CBookImportDlg.cpp("));
        const size_t open = line.find(":{");
        ASSERT_NE(std::string::npos, open);
        const int number = std::stoi(line.substr(open + 2));
        if (i > 0) {
            EXPECT_EQ(sequence + 1, number);
        }
        sequence = number;
        const std::string tail = "} " + wanted[i];
        ASSERT_GE(line.size(), tail.size());
        EXPECT_EQ(CodePage::toUtf8(tail), CodePage::toUtf8(line.substr(line.size() - tail.size())));
    }
}

// ---------------------------------------------------------------- the document's command

// Shows `group` and keeps a copy of every hint: the document's hint object
// lives only as long as the update.
class ListView : public CView, public ShownGroupView {
public:
    BookmarkItem* shownGroup() const override { return group; }
    void OnUpdate(CView*, LPARAM hint, CObject* hintObject) override
    {
        const auto* details = dynamic_cast<const UpdateHint*>(hintObject);
        updates.emplace_back(hint, details != nullptr ? *details : UpdateHint());
    }

    BookmarkItem* group = nullptr;
    std::vector<std::pair<LPARAM, UpdateHint>> updates;
};

// A book with two top-level groups, the first already holding a link, and a
// list view that shows the second or nothing.
class InsertBookmarksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(document.OnNewDocument());
        top = document.rootItem()->children.front().get();
        top->addUrlChild("既存", "http://existing.example/", "", "2001/02/03");
        second = document.rootItem()->addGroupChild("二番目", "2001/02/03").get();
        document.AddView(&view);
        document.SetModifiedFlag(false);
        folder.fill();
        ui.folderChoices = {folder.Path()};
    }

    // Runs the command; the URL list drops its second row unless told otherwise.
    void insert(std::function<void(HWND)> onImport, std::function<void(HWND)> onList = nullptr)
    {
        view.updates.clear();
        if (!onList)
            onList = [this](HWND window) {
                const HWND list = GetDlgItem(window, IDC_URL_LIST);
                shown = shownRows(list);
                uncheck(list, 1);
                press(window, IDOK);
            };
        DialogSteps driver({onImportDialog(std::move(onImport)), onUrlList(std::move(onList))});
        EXPECT_TRUE(document.ExecuteOwnCommand(ID_FILE_INSERT_BOOKMARKS));
        EXPECT_EQ(0u, driver.Left()) << "steps the dialogs never reached";
    }
    // What the URL list kept: every shown row but the second.
    std::vector<std::string> kept() const
    {
        std::vector<std::string> rows = shown;
        if (rows.size() > 1) rows.erase(rows.begin() + 1);
        return rows;
    }
    // The links after the first `skip` children of `group`, as "title | url".
    static std::vector<std::string> links(const BookmarkItem& group, size_t skip)
    {
        std::vector<std::string> rows;
        for (const ItemRef& item : group.children) {
            if (skip > 0) {
                --skip;
                continue;
            }
            rows.push_back(CodePage::toUtf8(item->title + " | " + item->url));
        }
        return rows;
    }
    void expectNewLinksIn(const BookmarkItem& group, size_t skip)
    {
        EXPECT_EQ(kept(), links(group, skip));
        ASSERT_EQ(1u, view.updates.size());
        EXPECT_EQ(HintItemsAdded, view.updates[0].first);
        const UpdateHint& hint = view.updates[0].second;
        EXPECT_EQ(&group, hint.group);
        EXPECT_EQ(nullptr, hint.before);
        EXPECT_FALSE(hint.select);
        auto item = group.children.begin();
        std::advance(item, static_cast<std::ptrdiff_t>(skip));
        ASSERT_EQ(static_cast<size_t>(std::distance(item, group.children.end())), hint.items.size());
        for (BookmarkItem* added : hint.items) {
            EXPECT_EQ(item->get(), added);
            EXPECT_EQ(ItemType::Url, added->type);
            EXPECT_EQ(todayText(), added->date);
            EXPECT_EQ("", added->message);
            EXPECT_EQ(&group, added->parent);
            ++item;
        }
        EXPECT_TRUE(document.IsModified());
    }

    ScriptedUiServices ui;
    FavouritesFolder folder;
    ListView view;
    CRavloDoc document;
    BookmarkItem* top = nullptr;
    BookmarkItem* second = nullptr;
    std::vector<std::string> shown;
};

TEST_F(InsertBookmarksTest, KeptLinksGoToTheEndOfTheOpenGroupInTheListedOrder)
{
    view.group = second;
    insert([](HWND window) { press(window, IDOK); });

    EXPECT_EQ(sorted(expectedPairs()), sorted(shown));
    ASSERT_EQ(3u, second->children.size());
    expectNewLinksIn(*second, 0);
    EXPECT_EQ(1u, top->children.size());
}

TEST_F(InsertBookmarksTest, TopGroupChoiceAddsAfterTheTopGroupsLinksDespiteAnOpenGroup)
{
    view.group = second;
    insert([](HWND window) {
        CheckRadioButton(window, IDC_IMPORT_TO_OPEN_GROUP, IDC_IMPORT_TO_TOP_GROUP, IDC_IMPORT_TO_TOP_GROUP);
        press(window, IDOK);
    });

    ASSERT_EQ(4u, top->children.size());
    EXPECT_EQ(CodePage::toUtf8("既存"), CodePage::toUtf8(top->children.front()->title));
    expectNewLinksIn(*top, 1);
    EXPECT_TRUE(second->children.empty());
}

TEST_F(InsertBookmarksTest, WithoutAnOpenGroupTheLinksGoToTheTopGroup)
{
    bool openGroupEnabled = true;
    insert([&](HWND window) {
        openGroupEnabled = IsWindowEnabled(GetDlgItem(window, IDC_IMPORT_TO_OPEN_GROUP)) != FALSE;
        press(window, IDOK);
    });

    EXPECT_FALSE(openGroupEnabled);
    ASSERT_EQ(4u, top->children.size());
    expectNewLinksIn(*top, 1);
}

TEST_F(InsertBookmarksTest, NothingKeptStillMarksTheBookModified)
{
    view.group = second;
    insert([](HWND window) { press(window, IDOK); },
           [](HWND window) {
               const HWND list = GetDlgItem(window, IDC_URL_LIST);
               for (int row = 0; row < rowCount(list); ++row) uncheck(list, row);
               press(window, IDOK);
           });

    EXPECT_TRUE(second->children.empty());
    EXPECT_EQ(1u, top->children.size());
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(1u, view.updates.size());
    EXPECT_EQ(HintItemsAdded, view.updates[0].first);
    EXPECT_EQ(second, view.updates[0].second.group);
    EXPECT_TRUE(view.updates[0].second.items.empty());
}

TEST_F(InsertBookmarksTest, CancelledImportChangesNothing)
{
    view.updates.clear();
    DialogSteps driver({pressOnImportDialog(IDCANCEL)});
    EXPECT_TRUE(document.ExecuteOwnCommand(ID_FILE_INSERT_BOOKMARKS));
    EXPECT_EQ(0u, driver.Left());
    EXPECT_EQ(1u, top->children.size());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(view.updates.empty());
}

TEST_F(InsertBookmarksTest, LinkAtTheTopIsPassedOverForTheFirstTopLevelGroup)
{
    const ItemRef link = BookmarkItem::create();
    link->makeUrl("先頭のリンク", "http://first.example/", "", "2001/02/03");
    auto& children = document.rootItem()->children;
    children.insertBefore(children.begin(), link);
    link->parent = document.rootItem().get();
    insert([](HWND window) { press(window, IDOK); });

    EXPECT_TRUE(link->children.empty());
    ASSERT_EQ(4u, top->children.size());
    expectNewLinksIn(*top, 1);
}

TEST(TreeImportCommandTest, AddsTheFileAsTheLastTopLevelGroupAndTellsWhatCame)
{
    ScriptedUiServices ui;
    FavouritesFolder folder;
    const std::string file = folder.file("bookmarks.html", "<H1>Firefox</H1><DL><DT><H3>F</H3><DL><DT><A HREF=\"http://a/\">a</A>"
                                                           "</DL><DT><A HREF=\"http://b/\">b</A></DL>");
    CRavloDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    ListView view;
    document.AddView(&view);
    ui.fileChoices = {{}, {file}};
    ui.answers = {IDOK};

    EXPECT_TRUE(document.ExecuteOwnCommand(ID_FILE_IMPORT_TREE));
    EXPECT_FALSE(document.IsModified()) << "a cancelled import changes nothing";
    EXPECT_TRUE(document.ExecuteOwnCommand(ID_FILE_IMPORT_TREE));

    const ItemList& top = document.rootItem()->children;
    ASSERT_EQ(2u, top.size());
    EXPECT_EQ("Firefox", top.back()->title);
    EXPECT_EQ(2u, top.back()->children.size());
    ASSERT_EQ(1u, view.updates.size());
    EXPECT_EQ(HintItemsAdded, view.updates[0].first);
    EXPECT_EQ(document.rootItem().get(), view.updates[0].second.group);
    EXPECT_EQ(std::vector<BookmarkItem*>{top.back().get()}, view.updates[0].second.items);
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(CodePage::toUtf8("1 個のフォルダと 2 個のリンクをインポートしました。"), CodePage::toUtf8(ui.messages[0].text));
}

}  // namespace
