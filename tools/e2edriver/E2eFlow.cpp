#include "tools/e2edriver/E2eFlow.h"

#include "res/resource.h"
#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/DriverError.h"
#include "tools/e2edriver/RemoteListView.h"
#include "tools/e2edriver/RemoteTreeView.h"
#include "velmir/resource.h"

#include <shlobj.h>

#include <cstdio>

namespace {

// The first start boots Wine's services for the fresh prefix too.
constexpr DWORD StartLimit = 90000;
// The main window's place for the whole run, so that options.xml holds known numbers.
constexpr RECT MainPlace = {40, 30, 940, 630};

const wchar_t ItemDialog[] = L"アイテム編集";
const wchar_t TopGroup[] = L"マイブックマーク";
const wchar_t NewGroup[] = L"ニュース・天気";

struct Link {
    const wchar_t* title;
    const wchar_t* url;
    const wchar_t* message;
};
// Titles and messages with the characters a web page must escape.
const Link Links[] = {
    {L"天気予報 & 週間", L"http://weather.example.jp/week?area=13&days=7", L"毎朝 <確認>"},
    {L"経済ニュース", L"http://news.example.jp/economy", L""},
    {L"スポーツ \"速報\"", L"http://sports.example.jp/", L"週末"},
};

// The import file holds this many links; the one named here is left out.
constexpr int LinksInImportFile = 4;
const wchar_t SkippedLink[] = L"今日の献立";

const wchar_t LeadingText[] = L"<b>e2e</b> の確認用ページ\r\n二行目です";

std::wstring documentsFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, path)))
        throw DriverError(L"no documents folder");
    return path;
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Wine's file dialog names its file-name edit edt1, Windows' a combo box cmb13.
Control fileNameEdit(const Control& dialog)
{
    const Control edit = dialog.descendant(0x480);
    if (edit.exists()) return edit;
    const Control combo = dialog.descendant(0x47c);
    return combo.exists() ? combo.descendantOfClass(L"Edit") : Control();
}

bool isFileDialog(const Control& window)
{
    return window.className() == L"#32770" && fileNameEdit(window).exists();
}

void print(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

const E2eFlow::Step E2eFlow::Steps[] = {
    {L"first start", &E2eFlow::acceptSettingsFolder},
    {L"main window", &E2eFlow::placeMainWindow},
    {L"new group", &E2eFlow::createGroup},
    {L"new links", &E2eFlow::createLinks},
    {L"marks", &E2eFlow::editMarks},
    {L"import", &E2eFlow::importBookmarks},
    {L"find", &E2eFlow::findLink},
    {L"save", &E2eFlow::saveBook},
    {L"Velmir settings", &E2eFlow::setUpVelmir},
    {L"HTML output", &E2eFlow::writePage},
    {L"export", &E2eFlow::exportBook},
    {L"quit", &E2eFlow::quit},
};

E2eFlow::E2eFlow(FlowPaths paths) : paths_(std::move(paths)), camera_(paths_.shots) {}

E2eFlow::~E2eFlow() = default;

bool E2eFlow::run()
{
    for (const Step& step : Steps) {
        const ULONGLONG start = GetTickCount64();
        const std::string failure = runStep(step);
        const std::string took = std::to_string(GetTickCount64() - start) + " ms";
        if (!failure.empty()) {
            print("FAILED: " + DriverError::utf8(step.name) + " after " + took + "\n  " + failure);
            giveUp();
            return false;
        }
        print("ok: " + DriverError::utf8(step.name) + " (" + took + ")");
    }
    return true;
}

std::string E2eFlow::runStep(const Step& step)
{
    try {
        (this->*step.run)();
        return std::string();
    } catch (const std::exception& error) {
        return error.what();
    }
}

// ------------------------------------------------------------------ steps

void E2eFlow::acceptSettingsFolder()
{
    ravlo_ = std::make_unique<RavloProcess>(L"\"" + paths_.program + L"\"");
    const Control dialog = ravlo_->waitForDialog(L"設定保存フォルダの指定", StartLimit);
    const std::wstring proposed = dialog.item(IDC_SETTING_FOLDER_PATH).text();
    if (proposed != documentsFolder() + L"\\Tanvex\\Ravlo") throw DriverError(L"proposed folder " + proposed);
    camera_.shoot(L"settings-folder", dialog);
    confirm(dialog, L"the settings folder dialog");
}

void E2eFlow::placeMainWindow()
{
    main_ = std::make_unique<MainWindow>(*ravlo_, L"Default - Ravlo", StartLimit);
    const HWND frame = main_->frame().handle();
    SetWindowPos(frame, nullptr, MainPlace.left, MainPlace.top, MainPlace.right - MainPlace.left,
                 MainPlace.bottom - MainPlace.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ConditionWait::until(L"the main window's new place",
                         [&] { return sameRect(main_->frame().screenRect(), MainPlace); });
    const RemoteTreeView tree = main_->tree();
    ConditionWait::until(L"the group " + std::wstring(TopGroup), [&] { return tree.text(tree.root()) == TopGroup; });
    camera_.shoot(L"new-book", main_->frame());
}

void E2eFlow::createGroup()
{
    const RemoteTreeView tree = main_->tree();
    const HTREEITEM top = tree.root();
    tree.select(top);
    main_->activateTree();
    const Control dialog = openDialog(ID_ITEM_NEW_GROUP, ItemDialog);
    dialog.item(IDC_ITEM_TITLE).setText(NewGroup);
    camera_.shoot(L"new-group", dialog);
    confirm(dialog, L"the item dialog");
    tree.select(ConditionWait::forValue(L"the new group in the tree", [&] { return tree.childOf(top, NewGroup); }));
}

void E2eFlow::createLinks()
{
    const RemoteListView list = main_->list();
    main_->activateList();
    for (const Link& link : Links) {
        const int row = list.count();
        const Control dialog = openDialog(ID_ITEM_NEW_URL, ItemDialog);
        dialog.item(IDC_ITEM_TITLE).setText(link.title);
        dialog.item(IDC_ITEM_URL).setText(link.url);
        dialog.item(IDC_ITEM_MESSAGE).setText(link.message);
        camera_.shoot(L"new-link", dialog);
        confirm(dialog, L"the item dialog");
        ConditionWait::until(L"the new link in the list", [&] { return list.rowOf(link.title) == row; });
    }
    camera_.shoot(L"links", main_->frame());
}

void E2eFlow::editMarks()
{
    markRows({0, 2}, {IDC_ITEM_MARK1, IDC_ITEM_MARK3});
    markRows({1}, {IDC_ITEM_MARK2});
}

void E2eFlow::importBookmarks()
{
    const Control dialog = openDialog(ID_FILE_INSERT_BOOKMARKS, L"ブックマークインポート");
    dialog.item(IDC_IMPORT_SOURCES).selectEntry(L"任意のファイルよりインポート");
    dialog.item(IDC_IMPORT_TO_TOP_GROUP).setChecked(true);
    camera_.shoot(L"import", dialog);
    dialog.item(IDOK).click();
    chooseFile(paths_.importFile, L"import-file");
    const Control links = ravlo_->waitForDialog(L"URLリストインポート");
    pruneImportedLinks(links);
    confirm(links, L"the URL list dialog");
    dialog.waitGone(L"the import dialog");
    showImportedLinks();
}

// A word of a created link's title, typed while the list shows another
// group; Enter on the one result shows the link in its group.
void E2eFlow::findLink()
{
    const Link& wanted = Links[1];
    const Control dialog = openDialog(ID_EDIT_FIND, L"検索");
    dialog.item(IDC_FIND_TEXT).setText(L"経済");
    const RemoteListView results(ravlo_->handle(), dialog.item(IDC_FIND_RESULTS));
    ConditionWait::until(L"the link among the results",
                         [&] { return results.count() == 1 && results.text(0) == wanted.title; });
    camera_.shoot(L"find", dialog);
    results.control().post(WM_KEYDOWN, VK_RETURN, 0);
    const RemoteTreeView tree = main_->tree();
    const RemoteListView list = main_->list();
    ConditionWait::until(L"the link selected in its group", [&] {
        return tree.text(tree.selected()) == NewGroup && list.firstSelected() == list.rowOf(wanted.title);
    });
    dialog.item(IDCANCEL).click();
    dialog.waitGone(L"the find dialog");
}

void E2eFlow::saveBook()
{
    main_->command(ID_FILE_SAVE);
    chooseFile(paths_.book, L"save-as");
    main_->waitForTitle(MainWindow::titleFor(paths_.book));
}

void E2eFlow::setUpVelmir()
{
    const Control addins = openDialog(ID_SETTING_ADDIN, L"アドインの設定");
    const RemoteListView list(ravlo_->handle(), addins.item(IDC_ADDIN_LIST));
    if (list.count() != 1 || list.text(0) != L"Velmir ver 1.05") throw DriverError(L"Velmir is not listed");
    camera_.shoot(L"addins", addins);
    addins.item(IDOK).click();
    const Control sheet = ravlo_->waitForDialog(L"設定");
    camera_.shoot(L"velmir-colours", sheet);
    pickHighGroupColour(sheet);
    writeLeadingText(sheet);
    confirm(sheet, L"Velmir's settings");
    addins.item(IDCANCEL).click();
    addins.waitGone(L"the add-in dialog");
}

void E2eFlow::writePage()
{
    const Control dialog = openDialog(ID_FILE_HTML_OUTPUT, L"HTML作成");
    ConditionWait::until(L"\"作成(&M)\" to be enabled", [&] { return dialog.item(IDOK).enabled(); });
    dialog.item(IDC_HTML_ALL_ITEMS).setChecked(false);
    ConditionWait::until(L"the mark boxes", [&] { return dialog.item(IDC_ITEM_MARK1).enabled(); });
    dialog.item(IDC_ITEM_MARK1).setChecked(true);
    dialog.item(IDC_HTML_OUTPUT_PATH).setText(paths_.page);
    camera_.shoot(L"html-output", dialog);
    dialog.item(IDOK).click();
    confirmMessage(L"Velmir ver 1.05 を用いてHTMLを作成しました。", L"html-done");
    dialog.waitGone(L"the HTML output dialog");
}

void E2eFlow::exportBook()
{
    main_->command(ID_FILE_EXPORT);
    chooseFile(paths_.exportFile, L"export");
    confirmMessage(paths_.exportFile + L" にエクスポートしました。", L"export-done");
}

void E2eFlow::quit()
{
    camera_.shoot(L"last", main_->frame());
    main_->frame().post(WM_CLOSE);
    const DWORD code = ravlo_->waitForExit(ConditionWait::DefaultLimit);
    if (code != 0) throw DriverError(L"the program ended with " + std::to_wstring(code));
}

// ------------------------------------------------------------------ helpers

Control E2eFlow::openDialog(UINT command, const std::wstring& title) const
{
    main_->command(command);
    return ravlo_->waitForDialog(title);
}

void E2eFlow::confirm(const Control& dialog, const std::wstring& what) const
{
    dialog.item(IDOK).click();
    dialog.waitGone(what);
}

void E2eFlow::confirmMessage(const std::wstring& text, const std::wstring& shot)
{
    const Control message = ravlo_->waitForDialog(L"Ravlo");
    if (!message.showsText(text)) throw DriverError(L"no message \"" + text + L"\"");
    camera_.shoot(shot, message);
    confirm(message, L"the message");
}

void E2eFlow::showImportedLinks()
{
    const RemoteTreeView tree = main_->tree();
    tree.select(tree.root());
    const RemoteListView list = main_->list();
    // The new group, then the links that were kept.
    ConditionWait::until(L"the imported links", [&] { return list.count() == LinksInImportFile; });
    camera_.shoot(L"imported", main_->frame());
}

void E2eFlow::markRows(const std::vector<int>& rows, const std::vector<int>& marks)
{
    main_->list().select(rows);
    const Control dialog = openDialog(ID_ITEM_EDIT, ItemDialog);
    // Several links with different titles: the field starts empty, and stays untouched.
    if (rows.size() > 1 && !dialog.item(IDC_ITEM_TITLE).text().empty()) throw DriverError(L"a common title shown");
    for (int mark : marks) dialog.item(mark).setChecked(true);
    camera_.shoot(L"marks", dialog);
    confirm(dialog, L"the item dialog");
}

void E2eFlow::chooseFile(const std::wstring& path, const std::wstring& shot)
{
    const Control dialog = ravlo_->waitForWindow(L"a file dialog", isFileDialog, ConditionWait::DefaultLimit);
    fileNameEdit(dialog).setText(path);
    camera_.shoot(shot, dialog);
    confirm(dialog, L"the file dialog");
}

void E2eFlow::pruneImportedLinks(const Control& dialog)
{
    const RemoteListView links(ravlo_->handle(), dialog.item(IDC_URL_LIST));
    if (links.count() != LinksInImportFile)
        throw DriverError(L"the URL list holds " + std::to_wstring(links.count()) + L" links");
    for (int row = 0; row < links.count(); ++row)
        if (!links.isChecked(row)) throw DriverError(L"an imported link starts unchecked");
    const int skipped = links.rowOf(SkippedLink);
    links.setChecked(skipped, false);
    ConditionWait::until(L"the link to skip unchecked", [&] { return !links.isChecked(skipped); });
    camera_.shoot(L"url-list", dialog);
}

void E2eFlow::pickHighGroupColour(const Control& sheet)
{
    // A click on the swatch of "最上位グループの色" opens the picker.
    sheet.descendant(IDC_SWATCH_HIGH_GROUP).post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    const Control picker = ravlo_->waitForDialog(L"色指定");
    picker.item(IDC_RED_SLIDER).post(WM_KEYDOWN, VK_END, 0);
    ConditionWait::until(L"red at its end", [&] { return picker.item(IDC_RED_VALUE).text() == L"FF"; });
    camera_.shoot(L"colour-picker", picker);
    confirm(picker, L"the colour picker");
}

void E2eFlow::writeLeadingText(const Control& sheet)
{
    sheet.item(IDC_PAGE_TAB).post(WM_KEYDOWN, VK_RIGHT, 0);
    const Control text = sheet.descendant(IDC_FIRST_MESSAGE);
    ConditionWait::until(L"the page \"文章\"", [&] { return text.visible(); });
    text.setText(LeadingText);
    camera_.shoot(L"velmir-text", sheet);
}

void E2eFlow::giveUp()
{
    try {
        camera_.shoot(L"failure", Control(GetDesktopWindow()));
    } catch (const std::exception&) {
        // The picture only helps to read the failure; the run has failed anyway.
    }
    if (ravlo_ != nullptr) ravlo_->kill();
}
