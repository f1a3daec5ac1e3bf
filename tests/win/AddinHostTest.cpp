// The add-in host: which libraries beside the program become add-ins, what
// the lists show and select, and the HTML output command end to end, with
// stand-in add-ins built for these tests.

#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "addin/AddinModule.h"
#include "app/AppOptions.h"
#include "app/CRavloApp.h"
#include "model/CRavloDoc.h"
#include "model/ItemRecord.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

using fwtest::ScriptedUiServices;
using fwtest::TempFolder;

// A stand-in add-in's path (code page 932, Windows form).
std::string addinPath(const char* variant)
{
    std::string path = std::string("Z:") + TEST_ADDIN_DIR + "/test_addin_" + variant + ".dll";
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string callsOf(const AddinModule&, const std::string& path)
{
    // The module holds the library, so this finds the loaded copy.
    const HMODULE library = GetModuleHandleW(CodePage::toWide(path).c_str());
    using Calls = const char* (*)();
    const auto calls = reinterpret_cast<Calls>(reinterpret_cast<void*>(GetProcAddress(library, "TestCalls")));
    return calls != nullptr ? calls() : "(not loaded)";
}

std::vector<std::wstring> rowTexts(HWND list)
{
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

int selectedRow(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void selectRow(HWND list, int row)
{
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

TEST(AddinModule, BindsWhatTheLibraryExportsAndFallsBackForTheRest)
{
    AddinModule full;
    ASSERT_TRUE(full.load(addinPath("full")));
    EXPECT_EQ("test_addin_full.dll", full.fileName());
    EXPECT_EQ("Test Addin 1.0", full.displayName());
    EXPECT_EQ("(C) Tester", full.copyrightText());
    EXPECT_TRUE(full.canMakeHtml());
    EXPECT_TRUE(full.hasSettings());
    EXPECT_NE(nullptr, full.icon());  // the host's icon: the add-in gives none
    EXPECT_TRUE(full.initialize("C:\\設定"));

    AddinModule minimal;
    ASSERT_TRUE(minimal.load(addinPath("minimal")));
    EXPECT_EQ("test_addin_minimal.dll", minimal.displayName());
    EXPECT_EQ("", minimal.copyrightText());
    EXPECT_FALSE(minimal.canMakeHtml());
    EXPECT_FALSE(minimal.makeHtml("x", 1, "C:\\x.html"));
    EXPECT_TRUE(minimal.initialize("C:\\x"));

    AddinModule none;
    EXPECT_FALSE(none.load(addinPath("none")));
    EXPECT_FALSE(none.isLoaded());
    EXPECT_EQ(nullptr, GetModuleHandleW(CodePage::toWide(addinPath("none")).c_str()));
    EXPECT_FALSE(AddinModule().load("C:\\no\\such.dll"));
}

class AddinHostTest : public ::testing::Test {
protected:
    void SetUp() override { settings.File("options.xml"); }
    // The add-ins found in a folder holding copies of the given stand-ins.
    void discover(std::initializer_list<const char*> variants)
    {
        for (const char* variant : variants) {
            const std::string copy = folder.File(std::string("copy_") + variant + ".dll");
            CopyFileW(CodePage::toWide(addinPath(variant)).c_str(), CodePage::toWide(copy).c_str(), FALSE);
        }
        app.options().settingsFolder = settings.Path();
        app.discoverAddins(folder.Path() + "\\Ravlo.exe");
    }

    ScriptedUiServices ui;
    TempFolder settings;
    TempFolder folder;
    CRavloApp app;
};

TEST_F(AddinHostTest, OnlyLibrariesThatAreAddinsAndAcceptTheFolderAreKept)
{
    discover({"none", "full", "refusing", "minimal"});
    std::vector<std::string> names;
    for (const auto& addin : app.addins()) names.push_back(addin->fileName());
    std::sort(names.begin(), names.end());  // the file system decides the order
    EXPECT_EQ((std::vector<std::string>{"copy_full.dll", "copy_minimal.dll"}), names);
    for (const auto& addin : app.addins()) {
        if (addin->fileName() != "copy_full.dll") continue;
        EXPECT_EQ("init:" + settings.Path() + ";", callsOf(*addin, folder.Path() + "\\copy_full.dll"));
    }
}

// The HTML output dialog and command on a small book.
class HtmlOutputTest : public AddinHostTest {
protected:
    void SetUp() override
    {
        AddinHostTest::SetUp();
        discover({"minimal", "full"});
        sortAddins();
        document.setOptions(&app.options());
        document.setAddins(&app.addins());
        document.OnNewDocument();
        const ItemRef top = document.rootItem()->children.front();
        const ItemRef deep = top->addGroupChild("一", "2026/01/01")->addGroupChild("二", "2026/01/01");
        deep->addUrlChild("印 & 付き", "http://marked/", "", "2026/01/02")->setMark(2, true);
        top->addUrlChild("なし", "http://plain/", "", "2026/01/03");
        page = settings.File("page.html");
    }
    // Full first, so that the rows are known.
    void sortAddins()
    {
        auto& addins = const_cast<AddinList&>(app.addins());
        std::sort(addins.begin(), addins.end(),
                  [](const auto& a, const auto& b) { return a->fileName() < b->fileName(); });
    }
    std::string pageBytes() const
    {
        std::ifstream in(CodePage::toWide(page).c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

    CRavloDoc document;
    std::string page;
};

TEST_F(HtmlOutputTest, TheListSelectsTheRememberedAddinAndTheButtonsFollowTheSelection)
{
    app.options().SelectedAddin = "test_addin_minimal.dll";  // no longer present: row 0
    std::vector<std::wstring> rows;
    int selected = -1;
    bool makeEnabled = false;
    bool makeEnabledForMinimal = true;
    bool settingsEnabledForMinimal = true;
    ModalDriver driver([&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_ADDIN_LIST);
        rows = rowTexts(list);
        selected = selectedRow(list);
        makeEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
        selectRow(list, 1);
        makeEnabledForMinimal = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
        settingsEnabledForMinimal = IsWindowEnabled(GetDlgItem(dialog, IDC_ADDIN_SETTINGS)) != FALSE;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    document.makeHtmlCommand();
    EXPECT_EQ((std::vector<std::wstring>{L"Test Addin 1.0", L"copy_minimal.dll"}), rows);
    EXPECT_EQ(0, selected);
    EXPECT_TRUE(makeEnabled);
    EXPECT_FALSE(makeEnabledForMinimal);
    EXPECT_FALSE(settingsEnabledForMinimal);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HtmlOutputTest, MarkedItemsGoToTheAddinWithThePathToThemAndTheChoiceIsRemembered)
{
    app.options().OpenBrowser = 1;
    ui.shellAccepts = true;
    ui.answers = {IDOK};
    std::vector<bool> markBoxesEnabled;
    ModalDriver driver([&](HWND dialog) {
        markBoxesEnabled.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_MARK3)) != FALSE);
        click(dialog, IDC_HTML_ALL_ITEMS);
        markBoxesEnabled.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_MARK3)) != FALSE);
        click(dialog, IDC_ITEM_MARK3);
        SetDlgItemTextW(dialog, IDC_HTML_OUTPUT_PATH, CodePage::toWide(page).c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    document.makeHtmlCommand();

    EXPECT_EQ((std::vector<bool>{false, true}), markBoxesEnabled);
    const std::string stream = pageBytes();
    ASSERT_GE(stream.size(), 8u);
    EXPECT_EQ("Ravlo001", stream.substr(0, 8));
    // The marked link (escaped) and the groups on its way are there; the
    // unmarked link and the groups' URLs are not.
    EXPECT_NE(std::string::npos, stream.find("印&nbsp;&amp;&nbsp;付き"));
    EXPECT_NE(std::string::npos, stream.find("二"));
    EXPECT_EQ(std::string::npos, stream.find("http://plain/"));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("Test Addin 1.0 を用いてHTMLを作成しました。", ui.messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), ui.messages[0].type);
    ASSERT_EQ(1u, ui.shellRequests.size());
    EXPECT_EQ(page, ui.shellRequests[0][1]);
    EXPECT_EQ("Test Addin 1.0", app.options().SelectedAddin);
    AppOptions saved;
    saved.settingsFolder = settings.Path();
    saved.LoadOptions();
    EXPECT_EQ("Test Addin 1.0", saved.SelectedAddin);
}

TEST_F(HtmlOutputTest, AFailedPageIsReportedWithTheErrorIcon)
{
    app.options().OpenBrowser = 1;
    ui.answers = {IDOK};
    ModalDriver driver([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_HTML_OUTPUT_PATH, L"");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    document.makeHtmlCommand();
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("Test Addin 1.0 によるHTML作成に失敗しました。", ui.messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), ui.messages[0].type);
    EXPECT_TRUE(ui.shellRequests.empty());
}

TEST_F(HtmlOutputTest, SettingsAreOpenedForTheSelectedAddinAndStoreTheChoiceEvenOnCancel)
{
    ModalDriver driver([&](HWND dialog) {
        click(dialog, IDC_ADDIN_SETTINGS);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    document.makeHtmlCommand();
    EXPECT_EQ("Test Addin 1.0", app.options().SelectedAddin);
    const std::string calls = callsOf(*app.addins()[0], folder.Path() + "\\copy_full.dll");
    EXPECT_NE(std::string::npos, calls.find("settings;"));
}

TEST_F(HtmlOutputTest, TheAddinSettingsDialogOpensEachAddinsSettingsAndStaysOpen)
{
    bool stillOpen = false;
    ModalDriver driver([&](HWND dialog) {
        click(dialog, IDOK);
        stillOpen = IsWindow(dialog) != FALSE;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    document.addinSettingsCommand();
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(std::string::npos, callsOf(*app.addins()[0], folder.Path() + "\\copy_full.dll").find("settings;"));
}

}  // namespace
