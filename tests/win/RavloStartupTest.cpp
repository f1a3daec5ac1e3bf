// Start-up: where the settings live, which book opens first, how the window
// is shown; and the application's own commands.

#include "RavloAppTestSupport.h"
#include "app/CSettingFolderDlg.h"
#include "app/ShellFolders.h"
#include "model/BookXml.h"
#include "platform/PathJoin.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"

#include <fstream>
#include <shlobj.h>

namespace {

using namespace apptest;

std::string documentsFolder()
{
    std::string folder;
    EXPECT_TRUE(GetSpecialFolderPath(nullptr, CSIDL_PERSONAL, folder));
    return folder;
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(CodePage::toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A book whose one top group has the given title.
void writeBook(const std::string& path, const std::string& groupTitle)
{
    const ItemRef root = BookmarkItem::create();
    root->addGroupChild(groupTitle, "2026/12/08")->addUrlChild("例", "http://example.com/", "", "2026/12/08");
    ASSERT_TRUE(saveBook(path, *root));
}

std::string topGroupTitle(const CRavloDoc& document)
{
    return document.rootItem()->children.empty() ? std::string() : document.rootItem()->children.front()->title;
}

// Fails and cancels when a dialog shows up where none may.
ModalDriver noDialogExpected()
{
    return ModalDriver([](HWND dialog) {
        ADD_FAILURE() << "unexpected dialog " << CodePage::toUtf8(CodePage::fromWide(windowText(dialog)));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

class FirstStartTest : public RavloAppTest {
protected:
    void TearDown() override
    {
        RavloAppTest::TearDown();
        const std::string tanvex = PathJoin::join(documentsFolder(), "Tanvex");
        RemoveDirectoryW(CodePage::toWide(PathJoin::join(tanvex, "Ravlo")).c_str());
        RemoveDirectoryW(CodePage::toWide(tanvex).c_str());
    }
};

TEST_F(FirstStartTest, ProposesTanvexRavloInTheDocumentsFolderAndRemembersTheAcceptedFolder)
{
    const std::string expected = PathJoin::join(PathJoin::join(documentsFolder(), "Tanvex"), "Ravlo");
    std::wstring proposed;
    std::wstring title;
    ModalDriver driver([&](HWND dialog) {
        title = windowText(dialog);
        proposed = windowText(GetDlgItem(dialog, IDC_SETTING_FOLDER_PATH));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(startAsIs());

    EXPECT_EQ(L"設定保存フォルダの指定", title);
    EXPECT_EQ(CodePage::toWide(expected), proposed);
    EXPECT_EQ(expected, profile().GetString("Folder", "Setting"));
    EXPECT_EQ(expected, app->options().settingsFolder);
    EXPECT_TRUE(isDirectory(expected));
    ASSERT_NE(nullptr, frame());
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
}

TEST_F(FirstStartTest, CancellingTheFolderDialogEndsSilentlyWithoutWritingAnything)
{
    ModalDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(startAsIs());
    EXPECT_EQ(nullptr, app->GetMainWindow());
    EXPECT_EQ("none", profile().GetString("Folder", "Setting", "none"));
    EXPECT_FALSE(isDirectory(PathJoin::join(documentsFolder(), "Tanvex")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RavloAppTest, SettingFolderDialogBrowsesForANewBaseAndKeepsTheTail)
{
    CSettingFolderDlg dialog;
    dialog.baseFolder = "C:\\書類\\";
    dialog.subPath = "Tanvex\\Ravlo";
    ui.folderChoices = {"D:\\表", ""};
    std::vector<std::wstring> shown;
    ModalDriver driver([&](HWND window) {
        const HWND edit = GetDlgItem(window, IDC_SETTING_FOLDER_PATH);
        shown.push_back(windowText(edit));
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SETTING_FOLDER_BROWSE, BN_CLICKED), 0);
        shown.push_back(windowText(edit));
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SETTING_FOLDER_BROWSE, BN_CLICKED), 0);  // cancelled
        shown.push_back(windowText(edit));
        SetWindowTextW(edit, L"E:\\typed");
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, dialog.DoModal(nullptr));

    EXPECT_EQ((std::vector<std::wstring>{L"C:\\書類\\Tanvex\\Ravlo", L"D:\\表\\Tanvex\\Ravlo", L"D:\\表\\Tanvex\\Ravlo"}),
              shown);
    ASSERT_EQ(2u, ui.folderRequests.size());
    EXPECT_EQ((std::vector<std::string>{"設定ファイルの保存先", "C:\\書類\\"}), ui.folderRequests[0]);
    EXPECT_EQ("D:\\表", ui.folderRequests[1][1]);
    EXPECT_EQ("E:\\typed", dialog.folder);
}

TEST_F(RavloAppTest, ARememberedFolderThatIsGoneIsMadeAgainWithoutAsking)
{
    const std::string folder = PathJoin::join(PathJoin::join(settings.Path(), "消えた"), "表");
    rememberSettingsFolder(folder);
    const ModalDriver guard = noDialogExpected();
    ASSERT_TRUE(startAsIs());
    EXPECT_TRUE(isDirectory(folder));
    EXPECT_EQ(folder, app->options().settingsFolder);
    app.reset();
    RemoveDirectoryW(CodePage::toWide(folder).c_str());
    RemoveDirectoryW(CodePage::toWide(PathJoin::folderOf(folder)).c_str());
}

TEST_F(RavloAppTest, CreateDirectoryPathMakesTheParentsFirst)
{
    const std::string deepest = settings.Path() + "\\a\\表\\c\\";
    EXPECT_FALSE(CreateDirectoryPath(""));
    EXPECT_TRUE(CreateDirectoryPath(deepest));
    EXPECT_TRUE(isDirectory(deepest));
    EXPECT_TRUE(CreateDirectoryPath(deepest));  // already there
    EXPECT_FALSE(CreateDirectoryPath("Q:\\no drive\\here"));
    for (const char* folder : {"\\a\\表\\c", "\\a\\表", "\\a"})
        RemoveDirectoryW(CodePage::toWide(settings.Path() + folder).c_str());
}

TEST_F(RavloAppTest, FirstOpenTwoWithoutALastFileStartsANewBook)
{
    writeOptions([](AppOptions& options) {
        options.FirstOpen = 2;
        options.LastFile.clear();
    });
    const ModalDriver guard = noDialogExpected();
    ASSERT_TRUE(start());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(CRavloDoc::DefaultGroupTitle, topGroupTitle(document()));
    EXPECT_EQ("", document().GetPathName());
    EXPECT_EQ(L"Default - Ravlo", windowText(frameWindow()));
}

TEST_F(RavloAppTest, FirstOpenTwoOpensTheLastSavedBookAndShowsIt)
{
    const std::string book = settings.File("前回.rvl");
    writeBook(book, "前回のグループ");
    writeOptions([&](AppOptions& options) {
        options.FirstOpen = 2;
        options.LastFile = book;
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(book, document().GetPathName());
    EXPECT_EQ("前回のグループ", topGroupTitle(document()));
    // The list shows the top group the tree selected.
    const HWND list = frame()->listView()->listControl();
    EXPECT_EQ(1, ListView_GetItemCount(list));
    EXPECT_EQ(document().rootItem()->children.front().get(), frame()->listView()->shownGroup());
    EXPECT_EQ(1, TreeView_GetCount(frame()->treeView()->treeControl()));
}

TEST_F(RavloAppTest, AMissingStartUpBookIsReportedAndANewBookTakesItsPlace)
{
    const std::string missing = settings.Path() + "\\ない.rvl";
    writeOptions([&](AppOptions& options) {
        options.FirstOpen = 1;
        options.FirstFile = missing;
    });
    ui.answers = {IDOK};
    ASSERT_TRUE(start());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_NE(std::string::npos, ui.messages[0].text.find("ない.rvl"));
    ASSERT_NE(nullptr, frame());
    EXPECT_EQ(CRavloDoc::DefaultGroupTitle, topGroupTitle(document()));
    EXPECT_EQ("", document().GetPathName());
}

TEST_F(RavloAppTest, ADamagedBookOnTheCommandLineIsReportedAndANewBookFollows)
{
    const std::string damaged = settings.File("damaged.rvl");
    std::ofstream(CodePage::toWide(damaged).c_str()) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Ravlo xmlns=\"";
    commandLine = CCommandLineInfo::FromArguments({CodePage::toWide(damaged)});
    ui.answers = {IDOK};
    ASSERT_TRUE(start());
    EXPECT_EQ(1u, ui.messages.size());
    ASSERT_NE(nullptr, frame());
    EXPECT_EQ(CRavloDoc::DefaultGroupTitle, topGroupTitle(document()));
}

TEST_F(RavloAppTest, AFileOnTheCommandLineWinsOverTheStartUpBook)
{
    const std::string first = settings.File("first.rvl");
    const std::string named = settings.File("named.rvl");
    writeBook(first, "起動時");
    writeBook(named, "指定");
    writeOptions([&](AppOptions& options) {
        options.FirstOpen = 1;
        options.FirstFile = first;
    });
    commandLine = CCommandLineInfo::FromArguments({CodePage::toWide(named)});
    ASSERT_TRUE(start());
    EXPECT_EQ(named, document().GetPathName());
    EXPECT_EQ("指定", topGroupTitle(document()));
    // The start-up book was never opened, so it never became a recent file.
    EXPECT_EQ((std::vector<std::string>{named}), app->GetRecentFileList()->GetEntries());
}

TEST_F(RavloAppTest, MinimizedStartWithTheTrayOptionsEndsHiddenInTheNotificationArea)
{
    writeOptions([](AppOptions& options) {
        options.windowInfo.MinimizedStart = 1;
        options.windowInfo.TaskTray = 1;
        options.windowInfo.MinimumIcon = 1;
    });
    ASSERT_TRUE(start());
    EXPECT_TRUE(IsIconic(frameWindow()));
    EXPECT_FALSE(IsWindowVisible(frameWindow()));
    EXPECT_NE(0, frame()->trayIconId());
    EXPECT_EQ(1u, ScriptedTray::shown().size());
}

TEST_F(RavloAppTest, MinimizedStartWithoutTheTrayKeepsATaskBarWindow)
{
    writeOptions([](AppOptions& options) {
        options.windowInfo.MinimizedStart = 1;
        options.windowInfo.TaskTray = 0;
    });
    ASSERT_TRUE(start());
    EXPECT_TRUE(IsIconic(frameWindow()));
    EXPECT_TRUE(IsWindowVisible(frameWindow()));
    EXPECT_EQ(0, frame()->trayIconId());
    EXPECT_TRUE(ScriptedTray::shown().empty());
}

TEST_F(RavloAppTest, ExitSavesTheOptionsWithTheWindowGeometry)
{
    ASSERT_TRUE(start());
    MoveWindow(frameWindow(), 30, 40, 700, 500, TRUE);
    SendMessageW(frameWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(nullptr, app->GetMainWindow());
    app->ExitInstance();

    const AppOptions saved = savedOptions();
    EXPECT_EQ(30, saved.windowInfo.Left);
    EXPECT_EQ(40, saved.windowInfo.Top);
    EXPECT_EQ(730, saved.windowInfo.Right);
    EXPECT_EQ(540, saved.windowInfo.Bottom);
    EXPECT_EQ(1, saved.windowInfo.complete);
}

TEST_F(RavloAppTest, HelpOpensTheHelpFileBesideTheProgram)
{
    ASSERT_TRUE(start());
    ui.shellAccepts = true;
    SendMessageW(frameWindow(), WM_COMMAND, ID_HELP_CONTENTS, 0);
    ASSERT_EQ(1u, ui.shellRequests.size());
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::string folder = PathJoin::folderOf(CodePage::fromWide(program));
    EXPECT_EQ((std::vector<std::string>{"", folder + "Ravlo.chm", folder}), ui.shellRequests[0]);
}

TEST_F(RavloAppTest, ChangingTheSettingsFolderForgetsItAndClosesOnlyAfterOk)
{
    ASSERT_TRUE(start());
    ui.answers = {IDCANCEL, IDOK};
    SendMessageW(frameWindow(), WM_COMMAND, ID_SETTING_FOLDER, 0);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("設定保存フォルダの変更", ui.messages[0].caption);
    EXPECT_EQ("設定保存フォルダを変更するため、終了します。\n再起動して設定保存フォルダを設定して下さい。",
              ui.messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), ui.messages[0].type);
    EXPECT_EQ(settings.Path(), profile().GetString("Folder", "Setting"));
    ASSERT_NE(nullptr, app->GetMainWindow());

    SendMessageW(frameWindow(), WM_COMMAND, ID_SETTING_FOLDER, 0);
    EXPECT_EQ("none", profile().GetString("Folder", "Setting", "none"));
    EXPECT_EQ(nullptr, app->GetMainWindow());
}

TEST_F(RavloAppTest, AboutBoxShowsTheProductVersion)
{
    ASSERT_TRUE(start());
    std::wstring version;
    std::wstring title;
    ModalDriver driver([&](HWND dialog) {
        title = windowText(dialog);
        version = windowText(GetDlgItem(dialog, IDC_ABOUT_VERSION));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(frameWindow(), WM_COMMAND, ID_APP_ABOUT, 0);
    EXPECT_EQ(L"Ravloのバージョン情報", title);
    EXPECT_EQ(L"Ravlo Version 1.06", version);
}

}  // namespace
