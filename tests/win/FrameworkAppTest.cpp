// The application object: registry profile, recent-file list, command line,
// start-up show state and the message loop.

#include "FrameworkTestSupport.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CRecentFileList.h"
#include "platform/FileSystem.h"
#include "framework/RegistryProfile.h"

using namespace fwtest;

namespace {

const char* const appKey = "Software\\RavloTest\\RavloFrameworkTest";

std::wstring menuText(HMENU menu, UINT id)
{
    wchar_t text[512] = {};
    GetMenuStringW(menu, id, text, 512, MF_BYCOMMAND);
    return text;
}

TEST(FrameworkRecentFileList, PutsTheNewestFirstKeepsItsCapacityAndMovesARepeatUp)
{
    CRecentFileList list(4);
    for (const char* path : {"C:\\a.rvl", "C:\\b.rvl", "C:\\c.rvl", "C:\\d.rvl", "C:\\e.rvl"}) list.Add(path);
    EXPECT_EQ((std::vector<std::string>{"C:\\e.rvl", "C:\\d.rvl", "C:\\c.rvl", "C:\\b.rvl"}), list.GetEntries());

    list.Add("c:\\C.RVL");  // the same file, written differently
    EXPECT_EQ((std::vector<std::string>{"c:\\C.RVL", "C:\\e.rvl", "C:\\d.rvl", "C:\\b.rvl"}), list.GetEntries());

    list.Remove("C:\\D.rvl");
    list.Add("");
    EXPECT_EQ((std::vector<std::string>{"c:\\C.RVL", "C:\\e.rvl", "C:\\b.rvl"}), list.GetEntries());
}

class FrameworkRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, testCompanyKey()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, testCompanyKey()); }

    RegistryProfile profile{appKey};
};

TEST_F(FrameworkRegistryTest, ProfileStringsRoundTripAndFallBackToTheDefault)
{
    EXPECT_EQ("none", profile.GetString("Folder", "Setting", "none"));
    EXPECT_TRUE(profile.WriteString("Folder", "Setting", "C:\\書類\\表\\Ravlo"));
    EXPECT_EQ("C:\\書類\\表\\Ravlo", profile.GetString("Folder", "Setting"));
    EXPECT_TRUE(profile.WriteString("Folder", "Setting", ""));
    EXPECT_EQ("", profile.GetString("Folder", "Setting", "none"));

    EXPECT_TRUE(profile.DeleteEntry("Folder", "Setting"));
    EXPECT_EQ("none", profile.GetString("Folder", "Setting", "none"));
    EXPECT_TRUE(profile.DeleteEntry("Folder", "Setting"));
    EXPECT_TRUE(profile.DeleteEntry("NoSuchSection", "Setting"));

    const DWORD number = 17;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\RavloTest\\RavloFrameworkTest\\Numbers", L"Count", REG_DWORD,
                    &number, sizeof(number));
    EXPECT_EQ(17, profile.GetInt("Numbers", "Count", 3));
    EXPECT_EQ(3, profile.GetInt("Numbers", "Missing", 3));
    profile.WriteString("Numbers", "Text", "12");
    EXPECT_EQ(3, profile.GetInt("Numbers", "Text", 3));
}

TEST_F(FrameworkRegistryTest, RecentFilesAreKeptAsFileEntriesAndReadBackInOrder)
{
    CRecentFileList list(4);
    for (const char* path : {"C:\\1.rvl", "C:\\2.rvl", "C:\\3.rvl", "C:\\4.rvl"}) list.Add(path);
    list.WriteList(profile);
    EXPECT_EQ("C:\\4.rvl", profile.GetString(CRecentFileList::Section, "File1"));
    EXPECT_EQ("C:\\1.rvl", profile.GetString(CRecentFileList::Section, "File4"));

    CRecentFileList shorter(4);
    shorter.Add("C:\\only.rvl");
    shorter.WriteList(profile);
    EXPECT_EQ("gone", profile.GetString(CRecentFileList::Section, "File2", "gone"));

    // Hand-edited: a gap, a repeat, an entry beyond the capacity.
    profile.WriteString(CRecentFileList::Section, "File1", "C:\\x.rvl");
    profile.WriteString(CRecentFileList::Section, "File2", "");
    profile.WriteString(CRecentFileList::Section, "File3", "c:\\X.RVL");
    profile.WriteString(CRecentFileList::Section, "File4", "C:\\y.rvl");
    profile.WriteString(CRecentFileList::Section, "File5", "C:\\z.rvl");
    CRecentFileList read(4);
    read.ReadList(profile);
    EXPECT_EQ((std::vector<std::string>{"C:\\x.rvl", "C:\\y.rvl"}), read.GetEntries());
}

TEST(FrameworkCommandLine, TakesOneFileAndSkipsSwitches)
{
    EXPECT_EQ(CCommandLineInfo::ShellCommand::FileNew, CCommandLineInfo::FromCommandLine(L"Ravlo.exe").shellCommand);
    EXPECT_EQ(CCommandLineInfo::ShellCommand::FileNew, CCommandLineInfo::FromCommandLine(L"").shellCommand);

    const CCommandLineInfo quoted = CCommandLineInfo::FromCommandLine(L"\"C:\\Program Files\\Ravlo.exe\" \"C:\\My Books\\a b.rvl\"");
    EXPECT_EQ(CCommandLineInfo::ShellCommand::FileOpen, quoted.shellCommand);
    EXPECT_EQ("C:\\My Books\\a b.rvl", quoted.fileName);

    const CCommandLineInfo switched = CCommandLineInfo::FromCommandLine(L"Ravlo.exe /x -y 表.rvl second.rvl");
    EXPECT_EQ("表.rvl", switched.fileName);

    EXPECT_EQ(CCommandLineInfo::ShellCommand::FileNew, CCommandLineInfo::FromArguments({L"/dde", L""}).shellCommand);
}

class FrameworkAppTest : public FrameworkTest {
protected:
    void Command(UINT id) { SendMessageW(Frame().GetHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    const std::vector<std::string>& RecentFiles() const { return app->GetRecentFileList()->GetEntries(); }
    // A saved document file holding `text`.
    std::string StoredFile(const std::string& name, const std::string& text)
    {
        const std::string path = folder.File(name);
        Document().text = text;
        EXPECT_TRUE(Document().DoSave(path));
        return FileSystem::fullPath(path);
    }

    TempFolder folder;
};

TEST_F(FrameworkAppTest, TheRecentFileMenuListsTheEntriesAndTheirCommandsOpenThem)
{
    NewDocument();
    const HMENU file = GetSubMenu(GetMenu(Frame().GetHwnd()), 0);
    const std::string first = StoredFile("one & two.rft", "first");
    const std::string second = StoredFile("second.rft", "second");
    SendMessageW(Frame().GetHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);

    EXPECT_EQ(L"&1 " + CodePage::toWide(second), menuText(file, ID_FILE_MRU_FILE1));
    std::wstring escaped = L"&2 " + CodePage::toWide(first);
    escaped.replace(escaped.find(L" & "), 3, L" && ");
    EXPECT_EQ(escaped, menuText(file, ID_FILE_MRU_FILE2));
    EXPECT_EQ(-1, static_cast<int>(GetMenuState(file, ID_FILE_MRU_FILE3, MF_BYCOMMAND)));
    EXPECT_EQ(0u, GetMenuState(file, ID_FILE_MRU_FILE2, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(9, GetMenuItemCount(file));  // 8 items, the placeholder replaced by two

    Command(ID_FILE_MRU_FILE2);
    EXPECT_EQ("first", Document().text);
    EXPECT_EQ((std::vector<std::string>{first, second}), RecentFiles());
}

TEST_F(FrameworkAppTest, ARecentFileThatIsGoneIsDroppedButACancelledQuestionKeepsIt)
{
    NewDocument();
    const std::string kept = StoredFile("kept.rft", "kept");
    const std::string gone = FileSystem::fullPath(folder.File("gone.rft"));
    app->AddToRecentFileList(gone);

    ui.answers = {IDOK};  // the missing-file message
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(std::vector<std::string>{kept}, RecentFiles());

    Document().SetModifiedFlag();
    ui.answers = {IDCANCEL};  // the save question
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(std::vector<std::string>{kept}, RecentFiles());
}

TEST_F(FrameworkAppTest, TheListIsReadAtStartAndWrittenAtExit)
{
    app->AddToRecentFileList("C:\\books\\a.rvl");
    app->ExitInstance();
    EXPECT_EQ("C:\\books\\a.rvl", app->GetProfileString(CRecentFileList::Section, "File1"));

    app.reset();
    app = std::make_unique<TestApp>();
    app->SetRegistryKey("RavloTest");
    EXPECT_EQ(nullptr, app->GetRecentFileList());
    app->LoadStdProfileSettings(4);
    EXPECT_EQ(std::vector<std::string>{"C:\\books\\a.rvl"}, RecentFiles());
}

TEST_F(FrameworkAppTest, TheShellCommandOpensTheNamedFileOrMakesANewDocument)
{
    ui.answers = {IDOK};
    CCommandLineInfo missing;
    missing.shellCommand = CCommandLineInfo::ShellCommand::FileOpen;
    missing.fileName = folder.File("absent.rft");
    EXPECT_FALSE(app->ProcessShellCommand(missing));
    EXPECT_EQ(nullptr, app->GetMainWindow());
    EXPECT_EQ(nullptr, app->GetDocTemplate()->GetFrame());

    EXPECT_TRUE(app->ProcessShellCommand(CCommandLineInfo()));
    ASSERT_NE(nullptr, app->GetMainWindow());
    const std::string path = StoredFile("named.rft", "named");
    Document().text.clear();
    app->OnFileNew();

    CCommandLineInfo named;
    named.shellCommand = CCommandLineInfo::ShellCommand::FileOpen;
    named.fileName = path;
    EXPECT_TRUE(app->ProcessShellCommand(named));
    EXPECT_EQ("named", Document().text);
}

TEST_F(FrameworkAppTest, TheFirstFrameAppearsInTheInitialShowState)
{
    app->SetInitialShowCommand(SW_HIDE);
    NewDocument();
    EXPECT_FALSE(IsWindowVisible(Frame().GetHwnd()));
    EXPECT_EQ(-1, app->TakeInitialShowCommand());

    app.reset();
    app = std::make_unique<TestApp>();
    app->AddDocTemplate(CDocTemplate::Make<TestDocument, TestFrame, TestView>(IDR_TEST_FRAME));
    app->SetInitialShowCommand(SW_SHOWMINIMIZED);
    NewDocument();
    EXPECT_TRUE(IsIconic(Frame().GetHwnd()));
}

class ClosingApp : public TestApp {
public:
    bool InitInstance() override
    {
        SetRegistryKey("RavloTest");
        LoadStdProfileSettings(4);
        AddDocTemplate(CDocTemplate::Make<TestDocument, TestFrame, TestView>(IDR_TEST_FRAME));
        OnFileNew();
        AddToRecentFileList("C:\\last.rvl");
        PostMessageW(GetMainWindow()->GetHwnd(), WM_CLOSE, 0, 0);
        return true;
    }
};

TEST_F(FrameworkAppTest, MainRunsTheLoopUntilTheMainWindowClosesAndThenExits)
{
    app.reset();
    ClosingApp closing;
    EXPECT_EQ(0, closing.Main(SW_HIDE));
    EXPECT_EQ(nullptr, closing.GetMainWindow());
    EXPECT_EQ("C:\\last.rvl", closing.GetProfileString(CRecentFileList::Section, "File1"));
    // The loop's quit message was used up by the loop.
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
