// The options sheet: its five pages, what each page does with its controls,
// and what OK and Cancel do to the options, options.xml and the main window.

#include "RavloAppTestSupport.h"
#include "app/COptionSheet.h"
#include "res/resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace apptest;

// The running sheet as a user sees it: the current page and its controls.
class SheetDriver {
public:
    explicit SheetDriver(HWND sheet) : sheet_(sheet) {}

    HWND sheet() const { return sheet_; }
    HWND page() const { return PropSheet_GetCurrentPageHwnd(sheet_); }
    void show(int index) const { PropSheet_SetCurSel(sheet_, nullptr, index); }
    void click(int id) const { SendDlgItemMessageW(page(), id, BM_CLICK, 0, 0); }
    void type(int id, const wchar_t* text) const { SetDlgItemTextW(page(), id, text); }
    bool checked(int id) const { return IsDlgButtonChecked(page(), id) == BST_CHECKED; }
    bool enabled(int id) const { return IsWindowEnabled(GetDlgItem(page(), id)) != FALSE; }
    std::wstring text(int id) const { return windowText(GetDlgItem(page(), id)); }
    void ok() const { PropSheet_PressButton(sheet_, PSBTN_OK); }
    void cancel() const { PropSheet_PressButton(sheet_, PSBTN_CANCEL); }

private:
    HWND sheet_;
};

enum Page { SystemPage, FolderPage, HtmlPage, DropWindowPage, EditPage };

// Scripts use EXPECT only and end with OK or Cancel, so the sheet always closes.
using Script = std::function<void(const SheetDriver&)>;

std::string fileBytes(const std::string& path)
{
    std::ifstream file(CodePage::toWide(path).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path)
{
    return GetFileAttributesW(CodePage::toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Values other than the defaults everywhere the sheet looks.
void changeEveryShownValue(AppOptions& options)
{
    options.windowInfo.Restore = 0;
    options.windowInfo.TaskTray = 0;
    options.windowInfo.MinimumIcon = 0;
    options.windowInfo.MinimizedStart = 1;
    options.FirstOpen = 1;
    options.FirstFile = "C:\\本棚\\first.rvl";
    options.OutputFile = "C:\\出力\\page.html";
    options.OpenBrowser = 0;
    options.FirstMode = 0;
    options.OpenPosition = 0;
    options.AddPosition = 1;
    options.SameItemType = 0;
    options.SameUrlGroup = 0;
}

// The sheet on options of a settings folder of its own, with no program around it.
class OptionSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        optionsFile = settings.File("options.xml");
        options.settingsFolder = settings.Path();
        options.LoadOptions();
    }

    // Runs the sheet, driving it with `script`; true when it was left with OK.
    bool runSheet(const Script& script)
    {
        std::wstring caption;
        ModalDriver driver([&](HWND sheet) {
            caption = windowText(sheet);
            script(SheetDriver(sheet));
        });
        const bool accepted = COptionSheet().run(options, nullptr);
        EXPECT_EQ(L"オプション", caption);
        return accepted;
    }
    AppOptions savedOptions() const
    {
        AppOptions saved;
        saved.settingsFolder = settings.Path();
        saved.LoadOptions();
        return saved;
    }
    // Opens `page`, lets `script` work on it, then presses OK.
    bool changeOnPage(Page page, const Script& script)
    {
        return runSheet([&](const SheetDriver& sheet) {
            sheet.show(page);
            script(sheet);
            sheet.ok();
        });
    }

    fwtest::TempFolder settings;
    std::string optionsFile;
    AppOptions options;
    fwtest::ScriptedUiServices ui;
};

TEST_F(OptionSheetTest, FivePagesInTheirOrderStartingWithTheSystemPage)
{
    std::vector<std::wstring> tabs;
    std::wstring firstPageText;
    bool applyShown = true;
    EXPECT_FALSE(runSheet([&](const SheetDriver& sheet) {
        const HWND tab = PropSheet_GetTabControl(sheet.sheet());
        for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
            wchar_t text[64] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            TabCtrl_GetItem(tab, i, &item);
            tabs.push_back(text);
        }
        firstPageText = sheet.text(IDC_OPTION_RESTORE);
        const HWND apply = GetDlgItem(sheet.sheet(), 0x3021);
        applyShown = apply != nullptr && IsWindowVisible(apply);
        sheet.cancel();
    }));
    EXPECT_EQ((std::vector<std::wstring>{L"システム", L"フォルダ", L"HTML作成", L"ドロップウィンドウ", L"編集"}), tabs);
    EXPECT_EQ(L"終了時にウィンドウの状態を保存する(&S)", firstPageText);
    EXPECT_FALSE(applyShown);
}

TEST_F(OptionSheetTest, EveryPageShowsItsControls)
{
    struct Control {
        Page page;
        int id;
        const wchar_t* text;
    };
    const Control controls[] = {
        {SystemPage, 1058, L"終了時にウィンドウの状態を保存する(&S)"},
        {SystemPage, 1060, L"タスクトレイにアイコンを表示する(&T)"},
        {SystemPage, 1059, L"最小化時タスクトレイに格納する(&M)"},
        {SystemPage, 1061, L"起動時に最小化する(&T)"},
        {FolderPage, 1010, L"新規ブック"},
        {FolderPage, 1011, L"既存のブック"},
        {FolderPage, 1013, L"前回起動時に最後に保存したブック"},
        {FolderPage, 1012, L"参照"},
        {HtmlPage, 1012, L"参照"},
        {HtmlPage, 1021, L"HTML作成後、ブラウザを起動する(&B)"},
        {DropWindowPage, 1042, L"表示する(&S)"},
        {DropWindowPage, 1043, L"表示しない(&H)"},
        {DropWindowPage, 1044, L"前回終了時と同じ(&P)"},
        {DropWindowPage, 1045, L"中央(&C)"},
        {DropWindowPage, 1046, L"前回と同じ(Q)"},
        {EditPage, 1053, L"先頭に追加"},
        {EditPage, 1052, L"終端に追加"},
        {EditPage, 1055, L"同じ種類のアイテムでまとめる"},
        {EditPage, 1056, L"URLとURLグループを同じ種類とみなす"},
    };
    std::vector<std::wstring> shown;
    runSheet([&](const SheetDriver& sheet) {
        for (const Control& control : controls) {
            sheet.show(control.page);
            shown.push_back(sheet.text(control.id));
        }
        sheet.cancel();
    });
    ASSERT_EQ(std::size(controls), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(controls[i].text, shown[i]) << controls[i].id;
}

TEST_F(OptionSheetTest, OkWithoutChangesWritesEveryValueBackUnchanged)
{
    changeEveryShownValue(options);
    ASSERT_TRUE(options.SaveOptions());
    const std::string written = fileBytes(optionsFile);
    ASSERT_TRUE(DeleteFileW(CodePage::toWide(optionsFile).c_str()));

    EXPECT_TRUE(runSheet([](const SheetDriver& sheet) { sheet.ok(); }));
    EXPECT_EQ(written, fileBytes(optionsFile));
}

TEST_F(OptionSheetTest, CancelKeepsTheOptionsAndDoesNotWrite)
{
    changeEveryShownValue(options);
    ASSERT_TRUE(options.SaveOptions());
    const std::string before = fileBytes(optionsFile);
    ASSERT_TRUE(DeleteFileW(CodePage::toWide(optionsFile).c_str()));

    EXPECT_FALSE(runSheet([](const SheetDriver& sheet) {
        sheet.click(IDC_OPTION_RESTORE);
        sheet.show(FolderPage);
        sheet.click(IDC_OPTION_NEW_BOOK);
        sheet.show(HtmlPage);
        sheet.type(IDC_HTML_OUTPUT_PATH, L"C:\\other.html");
        sheet.show(DropWindowPage);
        sheet.click(IDC_OPTION_DROP_HIDE);
        sheet.show(EditPage);
        sheet.click(IDC_OPTION_SAME_ITEM_TYPE);
        sheet.show(SystemPage);
        sheet.cancel();
    }));
    EXPECT_FALSE(fileExists(optionsFile));
    ASSERT_TRUE(options.SaveOptions());
    EXPECT_EQ(before, fileBytes(optionsFile));
}

TEST_F(OptionSheetTest, SystemPageGreysTheTrayHidingWithoutTheIconButKeepsItsCheck)
{
    options.windowInfo.TaskTray = 1;
    options.windowInfo.MinimumIcon = 1;
    bool enabledAtFirst = false, enabledAfter = true, checkedAfter = false;
    EXPECT_TRUE(changeOnPage(SystemPage, [&](const SheetDriver& sheet) {
        enabledAtFirst = sheet.enabled(IDC_OPTION_MINIMUM_ICON);
        sheet.click(IDC_OPTION_TASK_TRAY);
        enabledAfter = sheet.enabled(IDC_OPTION_MINIMUM_ICON);
        checkedAfter = sheet.checked(IDC_OPTION_MINIMUM_ICON);
        sheet.click(IDC_OPTION_RESTORE);
        sheet.click(IDC_OPTION_MINIMIZED_START);
    }));
    EXPECT_TRUE(enabledAtFirst);
    EXPECT_FALSE(enabledAfter);
    EXPECT_TRUE(checkedAfter);
    EXPECT_EQ(0, options.windowInfo.TaskTray);
    EXPECT_EQ(1, options.windowInfo.MinimumIcon);
    EXPECT_EQ(0, options.windowInfo.Restore);
    EXPECT_EQ(1, options.windowInfo.MinimizedStart);
    EXPECT_EQ(0, savedOptions().windowInfo.TaskTray);

    // Shown again without the icon, the box starts greyed; the icon brings it back.
    bool greyedOnDisplay = false, enabledWithIcon = false;
    EXPECT_TRUE(changeOnPage(SystemPage, [&](const SheetDriver& sheet) {
        greyedOnDisplay = !sheet.enabled(IDC_OPTION_MINIMUM_ICON);
        sheet.click(IDC_OPTION_TASK_TRAY);
        enabledWithIcon = sheet.enabled(IDC_OPTION_MINIMUM_ICON);
    }));
    EXPECT_TRUE(greyedOnDisplay);
    EXPECT_TRUE(enabledWithIcon);
    EXPECT_EQ(1, options.windowInfo.TaskTray);
}

TEST_F(OptionSheetTest, FolderPageRemembersThePathWhileAnotherModeIsChosen)
{
    options.FirstOpen = 2;
    options.FirstFile = "C:\\books\\start.rvl";
    std::wstring shownAtFirst, shownForExisting, shownForNew, shownAgain;
    bool enabledAtFirst = true, browseAtFirst = true, enabledForExisting = false, enabledForNew = true;
    EXPECT_TRUE(changeOnPage(FolderPage, [&](const SheetDriver& sheet) {
        shownAtFirst = sheet.text(IDC_OPTION_FIRST_FILE);
        enabledAtFirst = sheet.enabled(IDC_OPTION_FIRST_FILE);
        browseAtFirst = sheet.enabled(IDC_OPTION_FIRST_FILE_BROWSE);
        sheet.click(IDC_OPTION_EXISTING_BOOK);
        shownForExisting = sheet.text(IDC_OPTION_FIRST_FILE);
        enabledForExisting = sheet.enabled(IDC_OPTION_FIRST_FILE) && sheet.enabled(IDC_OPTION_FIRST_FILE_BROWSE);
        sheet.type(IDC_OPTION_FIRST_FILE, L"D:\\typed\\mine.rvl");
        sheet.click(IDC_OPTION_LAST_BOOK);
        sheet.click(IDC_OPTION_EXISTING_BOOK);
        shownAgain = sheet.text(IDC_OPTION_FIRST_FILE);
        sheet.click(IDC_OPTION_NEW_BOOK);
        shownForNew = sheet.text(IDC_OPTION_FIRST_FILE);
        enabledForNew = sheet.enabled(IDC_OPTION_FIRST_FILE) || sheet.enabled(IDC_OPTION_FIRST_FILE_BROWSE);
    }));
    EXPECT_EQ(L"C:\\books\\start.rvl", shownAtFirst);
    EXPECT_FALSE(enabledAtFirst);
    EXPECT_FALSE(browseAtFirst);
    EXPECT_EQ(L"C:\\books\\start.rvl", shownForExisting);
    EXPECT_TRUE(enabledForExisting);
    EXPECT_EQ(L"D:\\typed\\mine.rvl", shownAgain);
    EXPECT_EQ(L"", shownForNew);
    EXPECT_FALSE(enabledForNew);
    EXPECT_EQ(0, options.FirstOpen);
    EXPECT_EQ("D:\\typed\\mine.rvl", options.FirstFile);
    EXPECT_EQ("D:\\typed\\mine.rvl", savedOptions().FirstFile);
}

TEST_F(OptionSheetTest, FolderPageBrowsesForABookAndTakesThePathWhenLeft)
{
    options.FirstOpen = 1;
    options.FirstFile = "C:\\books\\start.rvl";
    ui.fileChoices.push_back({"E:\\本\\chosen.rvl"});
    ui.fileChoices.push_back({});
    std::wstring shownAfterChoice, shownAfterCancel;
    EXPECT_TRUE(runSheet([&](const SheetDriver& sheet) {
        sheet.show(FolderPage);
        sheet.click(IDC_OPTION_FIRST_FILE_BROWSE);
        shownAfterChoice = sheet.text(IDC_OPTION_FIRST_FILE);
        sheet.click(IDC_OPTION_FIRST_FILE_BROWSE);
        shownAfterCancel = sheet.text(IDC_OPTION_FIRST_FILE);
        sheet.show(EditPage);
        sheet.ok();
    }));
    EXPECT_EQ(CodePage::toWide("E:\\本\\chosen.rvl"), shownAfterChoice);
    EXPECT_EQ(shownAfterChoice, shownAfterCancel);
    ASSERT_EQ(2u, ui.fileRequests.size());
    const FileDialogRequest& request = ui.fileRequests.front();
    EXPECT_TRUE(request.open);
    EXPECT_EQ("rvl", request.defaultExtension);
    EXPECT_EQ("ブックマークファイル (*.rvl)|*.rvl|全てのファイル (*.*)|*.*||", request.filter);
    EXPECT_EQ("", request.fileName);
    EXPECT_TRUE(request.flags & OFN_HIDEREADONLY);
    EXPECT_EQ(1, options.FirstOpen);
    EXPECT_EQ("E:\\本\\chosen.rvl", options.FirstFile);
}

TEST_F(OptionSheetTest, HtmlPageBrowsingShowsTheMembersAgain)
{
    options.OutputFile = "C:\\out\\old.html";
    options.OpenBrowser = 1;
    ui.fileChoices.push_back({"C:\\出力\\new.html"});
    bool uncheckedBeforeBrowse = false, checkedAfterBrowse = false;
    std::wstring shownPath;
    EXPECT_TRUE(changeOnPage(HtmlPage, [&](const SheetDriver& sheet) {
        sheet.click(IDC_OPTION_OPEN_BROWSER);
        uncheckedBeforeBrowse = !sheet.checked(IDC_OPTION_OPEN_BROWSER);
        sheet.click(IDC_HTML_BROWSE);
        checkedAfterBrowse = sheet.checked(IDC_OPTION_OPEN_BROWSER);
        shownPath = sheet.text(IDC_HTML_OUTPUT_PATH);
    }));
    EXPECT_TRUE(uncheckedBeforeBrowse);
    EXPECT_TRUE(checkedAfterBrowse);
    EXPECT_EQ(CodePage::toWide("C:\\出力\\new.html"), shownPath);
    ASSERT_EQ(1u, ui.fileRequests.size());
    const FileDialogRequest& request = ui.fileRequests.front();
    EXPECT_TRUE(request.open);
    EXPECT_EQ("html", request.defaultExtension);
    EXPECT_EQ("Webファイル (*.html;*.htm)|*.html;*.htm|全てのファイル (*.*)|*.*||", request.filter);
    EXPECT_EQ("", request.fileName);
    EXPECT_TRUE(request.flags & OFN_HIDEREADONLY);
    EXPECT_EQ("C:\\出力\\new.html", options.OutputFile);
    EXPECT_EQ(1, options.OpenBrowser);
}

TEST_F(OptionSheetTest, HtmlPageTakesATypedPathAndTheCheckBox)
{
    options.OpenBrowser = 1;
    EXPECT_TRUE(changeOnPage(HtmlPage, [](const SheetDriver& sheet) {
        sheet.type(IDC_HTML_OUTPUT_PATH, L"");
        sheet.click(IDC_OPTION_OPEN_BROWSER);
    }));
    EXPECT_EQ("", options.OutputFile);
    EXPECT_EQ(0, options.OpenBrowser);
}

TEST_F(OptionSheetTest, DropWindowPageShowsAndTakesBothChoices)
{
    options.FirstMode = 0;
    options.OpenPosition = 0;
    bool showChecked = false, centreChecked = false;
    EXPECT_TRUE(changeOnPage(DropWindowPage, [&](const SheetDriver& sheet) {
        showChecked = sheet.checked(IDC_OPTION_DROP_SHOW);
        centreChecked = sheet.checked(IDC_OPTION_DROP_CENTER);
        sheet.click(IDC_OPTION_DROP_AS_LAST_TIME);
        sheet.click(IDC_OPTION_DROP_LAST_POSITION);
    }));
    EXPECT_TRUE(showChecked);
    EXPECT_TRUE(centreChecked);
    EXPECT_EQ(2, options.FirstMode);
    EXPECT_EQ(1, options.OpenPosition);
}

TEST_F(OptionSheetTest, EditPageRemembersTheUrlGroupChoiceWhileGroupingIsOff)
{
    options.SameItemType = 1;
    options.SameUrlGroup = 1;
    options.AddPosition = 0;
    bool offeredAtFirst = false, checkedAtFirst = false, offeredAfter = true, checkedAfter = true;
    EXPECT_TRUE(changeOnPage(EditPage, [&](const SheetDriver& sheet) {
        offeredAtFirst = sheet.enabled(IDC_OPTION_SAME_URL_GROUP);
        checkedAtFirst = sheet.checked(IDC_OPTION_SAME_URL_GROUP);
        sheet.click(IDC_OPTION_SAME_ITEM_TYPE);
        offeredAfter = sheet.enabled(IDC_OPTION_SAME_URL_GROUP);
        checkedAfter = sheet.checked(IDC_OPTION_SAME_URL_GROUP);
        sheet.click(IDC_OPTION_ADD_AT_END);
    }));
    EXPECT_TRUE(offeredAtFirst);
    EXPECT_TRUE(checkedAtFirst);
    EXPECT_FALSE(offeredAfter);
    EXPECT_FALSE(checkedAfter);
    EXPECT_EQ(0, options.SameItemType);
    EXPECT_EQ(1, options.SameUrlGroup);
    EXPECT_EQ(1, options.AddPosition);

    // Reopened: the box starts greyed and unchecked, and grouping brings its check back.
    bool greyedOnDisplay = false, uncheckedOnDisplay = false, checkedAgain = false;
    EXPECT_TRUE(changeOnPage(EditPage, [&](const SheetDriver& sheet) {
        greyedOnDisplay = !sheet.enabled(IDC_OPTION_SAME_URL_GROUP);
        uncheckedOnDisplay = !sheet.checked(IDC_OPTION_SAME_URL_GROUP);
        sheet.click(IDC_OPTION_SAME_ITEM_TYPE);
        checkedAgain = sheet.checked(IDC_OPTION_SAME_URL_GROUP) && sheet.enabled(IDC_OPTION_SAME_URL_GROUP);
    }));
    EXPECT_TRUE(greyedOnDisplay);
    EXPECT_TRUE(uncheckedOnDisplay);
    EXPECT_TRUE(checkedAgain);
    EXPECT_EQ(1, options.SameItemType);
    EXPECT_EQ(1, options.SameUrlGroup);
}

TEST_F(OptionSheetTest, EditPageTakesTheUrlGroupBoxWhenLeftAndRemembersItsLastState)
{
    options.SameItemType = 1;
    options.SameUrlGroup = 1;
    EXPECT_TRUE(runSheet([](const SheetDriver& sheet) {
        sheet.show(EditPage);
        sheet.click(IDC_OPTION_SAME_URL_GROUP);
        sheet.show(SystemPage);
        sheet.ok();
    }));
    EXPECT_EQ(0, options.SameUrlGroup);

    // Grouping switched off and on brings the unchecked state back; what is
    // kept is the check the box had when grouping was last switched off.
    bool uncheckedAgain = false;
    EXPECT_TRUE(changeOnPage(EditPage, [&](const SheetDriver& sheet) {
        sheet.click(IDC_OPTION_SAME_ITEM_TYPE);
        sheet.click(IDC_OPTION_SAME_ITEM_TYPE);
        uncheckedAgain = !sheet.checked(IDC_OPTION_SAME_URL_GROUP);
        sheet.click(IDC_OPTION_SAME_URL_GROUP);
        sheet.click(IDC_OPTION_SAME_ITEM_TYPE);
    }));
    EXPECT_TRUE(uncheckedAgain);
    EXPECT_EQ(0, options.SameItemType);
    EXPECT_EQ(1, options.SameUrlGroup);
}

// The command in the real program, with the main window following the options.
class OptionCommandTest : public RavloAppTest {
protected:
    void SetUp() override
    {
        RavloAppTest::SetUp();
        // The drop window stays closed, so the sheet is the only dialog.
        writeOptions([](AppOptions& options) {
            options.FirstMode = 1;
            options.windowInfo.TaskTray = 1;
        });
        ASSERT_TRUE(start());
    }

    // Runs the command and switches the tray icon off, leaving with OK or Cancel.
    void switchTrayIconOff(bool accept)
    {
        ModalDriver driver([&](HWND hwnd) {
            owner = GetWindow(hwnd, GW_OWNER);
            const SheetDriver sheet(hwnd);
            sheet.click(IDC_OPTION_TASK_TRAY);
            accept ? sheet.ok() : sheet.cancel();
        });
        SendMessageW(frameWindow(), WM_COMMAND, ID_SETTING_OPTIONS, 0);
    }

    HWND owner = nullptr;
};

TEST_F(OptionCommandTest, OkSavesTheOptionsAndTheMainWindowDropsItsTrayIcon)
{
    ASSERT_EQ(1u, ScriptedTray::shown().size());
    switchTrayIconOff(true);
    EXPECT_EQ(frameWindow(), owner);
    EXPECT_EQ(0, app->options().windowInfo.TaskTray);
    EXPECT_EQ(0, savedOptions().windowInfo.TaskTray);
    EXPECT_EQ(0, frame()->trayIconId());
    EXPECT_TRUE(ScriptedTray::shown().empty());
}

TEST_F(OptionCommandTest, CancelLeavesOptionsFileAndTrayIconAlone)
{
    const std::string before = fileBytes(optionsFile);
    switchTrayIconOff(false);
    EXPECT_EQ(frameWindow(), owner);
    EXPECT_EQ(1, app->options().windowInfo.TaskTray);
    EXPECT_EQ(before, fileBytes(optionsFile));
    EXPECT_EQ(1u, ScriptedTray::shown().size());
}

}  // namespace
