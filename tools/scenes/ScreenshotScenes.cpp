// Puts the real program into a state worth a screenshot and keeps it there
// until it is killed:   ravlo_scenes main|item|folder|html|options|about|restore|dupes READY_FILE
// The settings folder and the book live in a fresh temporary folder; the
// file READY_FILE is written once the scene is on the screen.

#include "app/CFindDlg.h"
#include "app/CRavloApp.h"
#include "app/CSettingFolderDlg.h"
#include "app/CMainFrame.h"
#include "app/ShellFolders.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWindow.h"
#include "framework/RegistryProfile.h"
#include "model/BookXml.h"
#include "model/CRavloDoc.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"
#include "res/resource.h"
#include "views/CItemEditDlg.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

std::wstring readyFile;

void announceReady()
{
    if (FILE* file = _wfopen(readyFile.c_str(), L"w")) std::fclose(file);
}

std::string freshFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    const std::string folder = PathJoin::join(CodePage::fromWide(base), "ravlo-scenes");
    CreateDirectoryPath(folder);
    return folder;
}

// Links saved a second time, in other groups and spelled a little apart,
// for the duplicates dialog.
void addSampleDuplicates(BookmarkItem& top)
{
    const ItemRef later = top.addGroupChild("あとで読む", "2026/12/09");
    later->addUrlChild("天気予報", "http://Weather.example.jp", "", "2026/12/09");
    later->addUrlChild("経済ニュース", "http://news.example.jp/economy", "", "2026/12/10");
    later->addUrlChild("検索", "http://search.example.jp/", "", "2026/12/10");
    top.addUrlChild("天気（全国）", "http://weather.example.jp/", "", "2026/12/11");
}

// A book with the things a user keeps: nested groups, links with Japanese
// titles and messages, a URL-group and a separator; with `duplicates` some
// links twice.
std::string writeSampleBook(const std::string& folder, bool duplicates)
{
    const ItemRef root = BookmarkItem::create();
    const ItemRef top = root->addGroupChild("マイブックマーク", "2026/12/01");
    const ItemRef news = top->addGroupChild("ニュース・天気", "2026/12/01");
    news->addUrlChild("今日の天気～全国版", "http://weather.example.jp/", "毎朝見る", "2026/12/02");
    news->addUrlChild("経済ニュース & 市況", "http://news.example.jp/economy", "", "2026/12/03");
    const ItemRef tools = top->addGroupChild("開発ツール", "2026/12/01");
    tools->addGroupChild("C++ 資料", "2026/12/04")->addUrlChild("規格票", "http://cpp.example.org/", "", "2026/12/04");
    const ItemRef library = BookmarkItem::create();
    library->makeGroupUrl("図書館", "http://library.example.jp/", "蔵書検索", "2026/12/05");
    top->appendChild(library);
    top->addUrlChild("検索エンジン", "http://search.example.jp/", "よく使う <検索>", "2026/12/06");
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("2026/12/07");
    top->appendChild(separator);
    top->addUrlChild("地図・乗換案内", "http://map.example.jp/", "出張の前に確認", "2026/12/08");
    if (duplicates) addSampleDuplicates(*top);
    const std::string path = PathJoin::join(folder, "サンプル", "rvl");
    saveBook(path, *root);
    return path;
}

// Backups of the sample book from a few earlier saves, for the restore dialog.
void writeSampleBackups(const std::string& folder, const std::string& book)
{
    const std::string backups = PathJoin::join(folder, "backup");
    CreateDirectoryPath(backups);
    for (const char* name : {"サンプル-20261208-091512.rvl", "サンプル-20261207-183040.rvl", "サンプル-20261205-120301.rvl"})
        CopyFileW(CodePage::toWide(book).c_str(), CodePage::toWide(PathJoin::join(backups, name)).c_str(), FALSE);
    const ItemRef root = BookmarkItem::create();
    root->addGroupChild("仕事", "2026/11/30")->addUrlChild("社内ポータル", "http://portal.example.jp/", "", "2026/11/30");
    saveBook(PathJoin::join(backups, "仕事用-20261130-174455.rvl"), *root);
}

class SceneApp : public CRavloApp {
public:
    std::string book;

protected:
    CCommandLineInfo commandLine() const override
    {
        return CCommandLineInfo::FromArguments({CodePage::toWide(book)});
    }
};

// Once the loop runs: opens the item dialog on the first link of the shown group.
void CALLBACK openItemDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    auto* frame = static_cast<CFrameWindow*>(CRavloApp::Current()->GetMainWindow());
    auto* document = static_cast<CRavloDoc*>(frame->GetActiveDocument());
    BookmarkItem* group = document->currentGroup();
    if (group == nullptr || group->children.empty()) return;
    CItemEditDlg dialog;
    for (const ItemRef& child : group->children) {
        if (child->type == ItemType::Url) {
            dialog.items.push_back(child.get());
            break;
        }
    }
    if (dialog.items.empty()) return;
    SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        announceReady();
    });
    dialog.DoModal(frame->GetHwnd());
}

void CALLBACK mainReady(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    announceReady();
}

// The command a scene opens over the main window; 0 for none.
UINT sceneCommand = 0;

// The find dialog shows what a word of the sample book finds.
void typeFindWords()
{
    const auto* frame = static_cast<CMainFrame*>(CRavloApp::Current()->GetMainWindow());
    SetDlgItemTextW(frame->findDialog()->GetHwnd(), IDC_FIND_TEXT, L"検索");
}

void CALLBACK runSceneCommand(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    SetTimer(nullptr, 0, 700, mainReady);
    SendMessageW(CRavloApp::Current()->GetMainWindow()->GetHwnd(), WM_COMMAND, sceneCommand, 0);
    if (sceneCommand == ID_EDIT_FIND) typeFindWords();
}

int runMain(bool withItemDialog)
{
    const std::string folder = freshFolder();
    SceneApp app;
    RegistryProfile("Software\\Tanvex\\Ravlo").WriteString("Folder", "Setting", folder);
    app.book = writeSampleBook(folder, sceneCommand == ID_EDIT_FIND_DUPLICATES);
    if (sceneCommand == ID_FILE_RESTORE_BACKUP) writeSampleBackups(folder, app.book);
    if (!app.InitInstance()) return 1;
    MoveWindow(app.GetMainWindow()->GetHwnd(), 40, 30, 900, 560, TRUE);
    TIMERPROC next = withItemDialog ? openItemDialog : mainReady;
    if (sceneCommand != 0) next = runSceneCommand;
    SetTimer(nullptr, 0, 500, next);
    return app.Run();
}

int runFolderDialog()
{
    CSettingFolderDlg dialog;
    GetSpecialFolderPath(nullptr, CSIDL_PERSONAL, dialog.baseFolder);
    dialog.subPath = "Tanvex\\Ravlo";
    SetTimer(nullptr, 0, 500, mainReady);
    dialog.DoModal(nullptr);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fputs("usage: ravlo_scenes main|item|folder|html|options|about|restore|find|dupes READY_FILE\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    readyFile = argv[2];
    const std::wstring scene = argv[1];
    if (scene == L"main") return runMain(false);
    if (scene == L"item") return runMain(true);
    if (scene == L"folder") return runFolderDialog();
    const struct {
        const wchar_t* name;
        UINT command;
    } commandScenes[] = {{L"html", ID_FILE_HTML_OUTPUT}, {L"options", ID_SETTING_OPTIONS}, {L"about", ID_APP_ABOUT},
                         {L"restore", ID_FILE_RESTORE_BACKUP}, {L"find", ID_EDIT_FIND},
                         {L"dupes", ID_EDIT_FIND_DUPLICATES}};
    for (const auto& commandScene : commandScenes) {
        if (scene != commandScene.name) continue;
        sceneCommand = commandScene.command;
        return runMain(false);
    }
    std::fputs("unknown scene\n", stderr);
    return 2;
}
