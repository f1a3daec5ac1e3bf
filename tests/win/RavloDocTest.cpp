// The document: new books, opening both stored forms with every failure the
// user can meet, saving as XML, and the hints the views receive.

#include "FrameworkTestSupport.h"
#include "ThreadWindows.h"
#include "app/AppOptions.h"
#include "framework/CFrameWindow.h"
#include "framework/DiskFile.h"
#include "model/BookDepth.h"
#include "model/BookXml.h"
#include "model/CRavloDoc.h"
#include "model/ItemRecord.h"
#include "model/NetscapeBookmarkWriter.h"
#include "model/ShownGroupView.h"
#include "model/TodayText.h"
#include "model/UpdateHint.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "resource.h"
#include "tests/common/ExpectSameTree.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using fwtest::ScriptedUiServices;
using fwtest::TempFolder;
using fwtest::TestView;

const char* const kBadRecordMessage = "Itemに付属する文字列の数に対応できません。";

std::string int32Bytes(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string stringBytes(const std::string& text)
{
    return int32Bytes(static_cast<int32_t>(text.size())) + text;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(CodePage::toWide(path).c_str(), std::ios::binary);
    out << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(CodePage::toWide(path).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A book with one group holding a link with marks and a separator.
void fillSampleTree(BookmarkItem& root)
{
    const ItemRef group = root.addGroupChild("グループ", "2003/04/05");
    const ItemRef link = group->addUrlChild("表示 & <例>", "http://example.com/", "一行目\n二行目", "2003/04/06");
    link->setMark(1, true);
    link->setMark(4, true);
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("2003/04/07");
    group->appendChild(separator);
}

void writeBinaryBook(const std::string& path, const BookmarkItem& root)
{
    DiskFile file(path, DiskFile::Mode::Write);
    Archive archive(file, Archive::Mode::Store);
    writeItemStream(archive, root, WriteNone);
    archive.close();
    file.close();
}

std::string localDateText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    wsprintfA(text, "%04d/%02d/%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}

class ListView : public TestView, public ShownGroupView {
public:
    BookmarkItem* shownGroup() const override { return group; }
    BookmarkItem* group = nullptr;
};

// A document on its own with one view that records its updates. The view
// outlives the document, which detaches it.
class RavloDocTest : public ::testing::Test {
protected:
    void SetUp() override { document.AddView(&view); }

    bool open(const std::string& path)
    {
        view.updates.clear();
        return document.OnOpenDocument(path);
    }
    void expectOneMessage(const std::string& text)
    {
        ASSERT_EQ(1u, ui.messages.size());
        EXPECT_EQ(CodePage::toUtf8(text), CodePage::toUtf8(ui.messages[0].text));
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), ui.messages[0].type & MB_ICONMASK);
    }
    bool sawReset() const
    {
        for (const fwtest::ViewUpdate& update : view.updates)
            if (update.hint == HintReset) return true;
        return false;
    }

    ScriptedUiServices ui;
    TempFolder folder;
    TestView view;
    CRavloDoc document;
};

TEST_F(RavloDocTest, NewDocumentHoldsOneDatedGroupUnderAnUntitledRoot)
{
    document.SetModifiedFlag(true);
    ASSERT_TRUE(document.OnNewDocument());

    EXPECT_EQ("Default", document.GetTitle());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(sawReset());
    const BookmarkItem& root = *document.rootItem();
    EXPECT_EQ(ItemType::Group, root.type);
    EXPECT_EQ("", root.title);
    ASSERT_EQ(1u, root.children.size());
    const BookmarkItem& group = *root.children.front();
    EXPECT_EQ(ItemType::Group, group.type);
    EXPECT_EQ(CodePage::toUtf8("マイブックマーク"), CodePage::toUtf8(group.title));
    EXPECT_EQ(localDateText(), group.date);
    EXPECT_EQ(&root, group.parent);
    EXPECT_EQ(localDateText(), todayText());
}

TEST_F(RavloDocTest, BinaryBookOpensWithItsTreeAndUnmodified)
{
    const auto expected = BookmarkItem::create();
    fillSampleTree(*expected);
    const std::string path = folder.File("old.rvl");
    writeBinaryBook(path, *expected);

    ASSERT_TRUE(open(path));

    EXPECT_TRUE(sawReset());
    EXPECT_FALSE(document.IsModified());
    expectSameTree(*expected, *document.rootItem());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RavloDocTest, XmlBookOpensWithItsTreeAndUnmodified)
{
    const std::wstring ns = kBookNamespace;
    const std::string path = folder.File("hand.rvl");
    writeFile(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Ravlo xmlns=\"" + std::string(ns.begin(), ns.end()) +
                        "\"><Item type=\"Group\"><Title></Title><Message></Message><Date></Date><Mark></Mark>"
                        "<ItemList><Item type=\"Url\"><Title>\xE6\x97\xA5\xE6\x9C\xAC</Title><URL>http://a/</URL>"
                        "<Message>m</Message><Date>2003/01/02</Date><Mark>01000</Mark></Item></ItemList></Item></Ravlo>");
    document.SetModifiedFlag(true);

    ASSERT_TRUE(open(path));

    EXPECT_TRUE(sawReset());
    EXPECT_FALSE(document.IsModified());
    ASSERT_EQ(1u, document.rootItem()->children.size());
    const BookmarkItem& link = *document.rootItem()->children.front();
    EXPECT_EQ(ItemType::Url, link.type);
    EXPECT_EQ(CodePage::toUtf8("日本"), CodePage::toUtf8(link.title));
    EXPECT_EQ("http://a/", link.url);
    EXPECT_EQ("01000", link.marks);
}

TEST_F(RavloDocTest, SavedBookIsXmlAndOpensToTheSameTree)
{
    const auto expected = BookmarkItem::create();
    fillSampleTree(*expected);
    const std::string binaryPath = folder.File("old.rvl");
    const std::string xmlPath = folder.File("new.rvl");
    writeBinaryBook(binaryPath, *expected);
    ASSERT_TRUE(open(binaryPath));
    document.SetModifiedFlag(true);

    ASSERT_TRUE(document.OnSaveDocument(xmlPath));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(0u, readFile(xmlPath).find("<?xml"));

    CRavloDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(xmlPath));
    EXPECT_FALSE(reopened.IsModified());
    expectSameTree(*expected, *reopened.rootItem());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RavloDocTest, MissingFileIsNamedAndLeavesTheShownTreeAlone)
{
    ASSERT_TRUE(document.OnNewDocument());
    const ItemRef shown = document.rootItem();
    const std::string path = folder.File("missing.rvl");
    ui.answers = {IDOK};

    EXPECT_FALSE(open(path));

    expectOneMessage(path + " が見つかりませんでした。");
    EXPECT_FALSE(sawReset());
    EXPECT_EQ(shown, document.rootItem());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(RavloDocTest, StreamEndingEarlyIsAnUnexpectedFormatAndReleasesWhatWasRead)
{
    const std::string path = folder.File("short.rvl");
    // A group record with one child announced but the stream cut inside it.
    writeFile(path, std::string("Ravlo001") + int32Bytes(0) + int32Bytes(1) + int32Bytes(5) + stringBytes("g") +
                        stringBytes("") + stringBytes("") + stringBytes("") + stringBytes("") + int32Bytes(1) +
                        int32Bytes(0));
    ui.answers = {IDOK};

    EXPECT_FALSE(open(path));

    expectOneMessage("予期しないファイル形式です。");
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.rootItem()->children.empty());
    EXPECT_EQ("", document.rootItem()->title);
}

TEST_F(RavloDocTest, BadRecordFailsWithItsOwnMessage)
{
    const std::string path = folder.File("bad.rvl");
    writeFile(path, std::string("Ravlo001") + int32Bytes(0) + int32Bytes(0) + int32Bytes(3) + stringBytes("a") +
                        stringBytes("b") + stringBytes("c"));
    ui.answers = {IDOK};

    EXPECT_FALSE(open(path));

    expectOneMessage(kBadRecordMessage);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(RavloDocTest, StreamMarkWithoutTheFullHeaderOpensEmpty)
{
    const std::string path = folder.File("almost.rvl");
    writeFile(path, std::string("Ravlo002") + int32Bytes(0) + int32Bytes(0) + int32Bytes(5));

    ASSERT_TRUE(open(path));

    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.rootItem()->children.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RavloDocTest, XmlTheServiceCannotLoadIsReportedAndStaysModified)
{
    for (const std::string& content : {std::string("<Ravlo><Item></Ravlo>"), std::string("Rav")}) {
        const std::string path = folder.File("broken" + std::to_string(content.size()) + ".rvl");
        writeFile(path, content);
        ui.messages.clear();
        ui.answers = {IDOK};

        EXPECT_FALSE(open(path)) << content;

        EXPECT_TRUE(document.IsModified()) << content;
        EXPECT_TRUE(sawReset()) << content;
        expectOneMessage(path + " を開けませんでした。ブック ファイルとして読めません。");
    }
}

TEST_F(RavloDocTest, ItemsThatWouldStandDeeperThanABookHoldsAreRefusedWithAMessage)
{
    BookmarkItem* group = document.rootItem().get();
    for (int level = 2; level < kMaxItemDepth; ++level) group = group->addGroupChild("", "").get();
    EXPECT_TRUE(document.editor().admitsBelow(*group, 1));
    ui.answers = {IDOK};
    EXPECT_FALSE(document.editor().admitsBelow(*group, 2));
    expectOneMessage("これ以上深い階層にはアイテムを置けません。");
}

TEST_F(RavloDocTest, FailedSaveKeepsTheBookModifiedAndTheOldFileWhole)
{
    ASSERT_TRUE(document.OnNewDocument());
    document.SetModifiedFlag(true);
    ui.answers = {IDOK, IDOK};

    EXPECT_FALSE(document.OnSaveDocument(folder.File("no such folder\\book.rvl")));
    expectOneMessage("ドキュメントの保存に失敗しました。");
    EXPECT_TRUE(document.IsModified());

    // A book another program holds open cannot be replaced: it stays as it was.
    const std::string locked = folder.File("locked.rvl");
    writeFile(locked, "old");
    const HANDLE holder = CreateFileW(CodePage::toWide(locked).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(document.OnSaveDocument(locked));
    CloseHandle(holder);
    EXPECT_EQ("old", readFile(locked));
    EXPECT_EQ(2u, ui.messages.size());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(RavloDocTest, SaveRecordsTheBookAsLastFileInTheOptionsFile)
{
    const std::string optionsFile = folder.File("options.xml");
    AppOptions options;
    options.settingsFolder = optionsFile.substr(0, optionsFile.rfind('\\'));
    ASSERT_EQ(optionsFile, options.optionsFile());
    document.setOptions(&options);
    ASSERT_TRUE(document.OnNewDocument());
    const std::string path = folder.File("book.rvl");

    ASSERT_TRUE(document.OnSaveDocument(path));

    EXPECT_EQ(path, options.LastFile);
    AppOptions reread;
    reread.settingsFolder = options.settingsFolder;
    reread.LoadOptions();
    EXPECT_EQ(path, reread.LastFile);
}

TEST_F(RavloDocTest, SavingOverABookLeavesItsOldFileAmongTheTenNewestBackups)
{
    AppOptions options;
    options.settingsFolder = folder.Path();
    document.setOptions(&options);
    ASSERT_TRUE(document.OnNewDocument());
    const std::string book = folder.File("本.rvl");
    ASSERT_TRUE(document.OnSaveDocument(book));
    const std::string backups = folder.Path() + "\\backup\\";
    EXPECT_FALSE(FileSystem::exists(backups)) << "a new file replaces nothing";
    CreateDirectoryW(CodePage::toWide(backups).c_str(), nullptr);
    for (char day = '0'; day <= '9'; ++day) writeFile(backups + "本-2020010" + day + "-000000.rvl", "older");
    const std::string saved = readFile(book);

    document.rootItem()->children.front()->title = "変更後";
    ASSERT_TRUE(document.OnSaveDocument(book));

    std::vector<std::string> fresh;
    for (const ListedFile& file : listFiles(backups + "*.rvl"))
        if (file.name.find("-2020") == std::string::npos) fresh.push_back(file.name);
    EXPECT_EQ(10u, listFiles(backups + "*.rvl").size());
    EXPECT_FALSE(FileSystem::exists(backups + "本-20200100-000000.rvl"));
    ASSERT_EQ(1u, fresh.size());
    EXPECT_EQ(saved, readFile(backups + fresh[0]));
}

TEST_F(RavloDocTest, ABackupThatCannotBeMadeIsToldOnceAndDoesNotStopTheSaves)
{
    AppOptions options;
    options.settingsFolder = folder.Path();
    document.setOptions(&options);
    writeFile(folder.File("backup"), "a file where the backup folder would be");
    const std::string book = folder.File("book.rvl");
    writeFile(book, "old");
    ASSERT_TRUE(document.OnNewDocument());
    ui.answers = {IDOK};

    EXPECT_TRUE(document.OnSaveDocument(book));
    EXPECT_TRUE(document.OnSaveDocument(book));

    expectOneMessage(book + " のバックアップに失敗しました。");
    EXPECT_NE("old", readFile(book));
}

TEST_F(RavloDocTest, ExportWritesTheBookWhereTheSaveDialogSaysAndTellsHowThatWent)
{
    fillSampleTree(*document.rootItem());
    document.SetPathName(folder.File("本.rvl"), false);
    const std::string exported = folder.File("書き出し.html");
    const std::string nowhere = folder.Path() + "\\無い\\本.html";
    ui.fileChoices = {{exported}, {nowhere}};
    ui.answers = {IDOK, IDOK};

    EXPECT_TRUE(document.ExecuteOwnCommand(ID_FILE_EXPORT));
    EXPECT_TRUE(document.ExecuteOwnCommand(ID_FILE_EXPORT));

    ASSERT_EQ(2u, ui.fileRequests.size());
    EXPECT_FALSE(ui.fileRequests[0].open);
    EXPECT_EQ(CodePage::toUtf8("本.html"), CodePage::toUtf8(ui.fileRequests[0].fileName));
    EXPECT_EQ(NetscapeBookmarkWriter::write(*document.rootItem(), "本"), readFile(exported));
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ(CodePage::toUtf8(exported + " にエクスポートしました。"), CodePage::toUtf8(ui.messages[0].text));
    EXPECT_EQ(CodePage::toUtf8(nowhere + " へのエクスポートに失敗しました。"), CodePage::toUtf8(ui.messages[1].text));
    EXPECT_FALSE(document.IsModified());
}

TEST_F(RavloDocTest, CloseRecordsThatTheDropWindowIsClosed)
{
    AppOptions options;
    options.PrevOpen = 1;
    document.setOptions(&options);

    document.OnCloseDocument();

    EXPECT_EQ(0, options.PrevOpen);
    EXPECT_TRUE(sawReset());
}

TEST_F(RavloDocTest, CurrentGroupIsTheOneTheFirstListViewShows)
{
    EXPECT_EQ(nullptr, document.currentGroup());
    ASSERT_TRUE(document.OnNewDocument());
    ListView first;
    ListView second;
    document.AddView(&first);
    document.AddView(&second);
    second.group = document.rootItem().get();
    EXPECT_EQ(nullptr, document.currentGroup());

    first.group = document.rootItem()->children.front().get();
    EXPECT_EQ(first.group, document.currentGroup());
    document.RemoveView(&first);
    document.RemoveView(&second);
}

TEST_F(RavloDocTest, SeparatorIsDatedTodayAndStandsAlone)
{
    const ItemRef separator = document.newSeparatorItem();
    ASSERT_NE(nullptr, separator);
    EXPECT_EQ(ItemType::Separator, separator->type);
    EXPECT_EQ(todayText(), separator->date);
    EXPECT_EQ(nullptr, separator->parent);
}

// Answers the item dialog once it shows: records the title it was given and
// presses the scripted button.
struct DialogScript {
    static DialogScript* current;
    int button = IDOK;
    bool seen = false;
    std::wstring title;
    std::wstring url;

    static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        const HWND dialog = findThreadWindow(L"#32770");
        if (dialog == nullptr || GetDlgItem(dialog, IDC_ITEM_TITLE) == nullptr) return;
        KillTimer(nullptr, id);
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog, IDC_ITEM_TITLE, text, 256);
        current->title = text;
        GetDlgItemTextW(dialog, IDC_ITEM_URL, text, 256);
        current->url = text;
        current->seen = true;
        PostMessageW(dialog, WM_COMMAND, current->button, 0);
    }
    void arm()
    {
        current = this;
        SetTimer(nullptr, 0, 10, onTimer);
    }
};
DialogScript* DialogScript::current = nullptr;

TEST_F(RavloDocTest, NewItemsCarryTheirPresetsThroughTheDialog)
{
    struct Case {
        ItemRef (CRavloDoc::*make)();
        ItemType type;
        const wchar_t* title;
        const wchar_t* url;
    };
    const Case cases[] = {
        {&CRavloDoc::newGroupItem, ItemType::Group, L"新しいグループ", L""},
        {&CRavloDoc::newUrlItem, ItemType::Url, L"新しいURL", L"http://"},
        {&CRavloDoc::newUrlGroupItem, ItemType::GroupUrl, L"新しいURL付きグループ", L"http://"},
    };
    for (const Case& c : cases) {
        DialogScript script;
        script.arm();
        const ItemRef item = (document.*c.make)();
        ASSERT_TRUE(script.seen);
        EXPECT_EQ(std::wstring(c.title), script.title);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(c.type, item->type);
        EXPECT_EQ(std::wstring(c.title), CodePage::toWide(item->title));
        EXPECT_EQ(std::wstring(c.url), CodePage::toWide(item->url));
        EXPECT_EQ(todayText(), item->date);
        EXPECT_EQ(nullptr, item->parent);
    }
}

TEST_F(RavloDocTest, CancelledNewItemIsNotReturned)
{
    DialogScript script;
    script.button = IDCANCEL;
    script.arm();
    EXPECT_EQ(nullptr, document.newUrlItem());
    EXPECT_TRUE(script.seen);
}

// The whole program's path: the template replaces a book whose open failed
// after its tree was released by a new default book, and every view hears
// of both replacements.
class RavloDocTemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<fwtest::TestApp>();
        app->AddDocTemplate(std::make_unique<CDocTemplate>(
            IDR_MAINFRAME, [] { return std::make_unique<CRavloDoc>(); },
            [] { return std::make_unique<CFrameWindow>(); }, [] { return std::make_unique<TestView>(); }));
    }
    void TearDown() override
    {
        app.reset();
        fwtest::pumpMessages();
    }
    CRavloDoc& Document() const { return *static_cast<CRavloDoc*>(app->GetDocTemplate()->GetDocument()); }
    TestView& View() const { return *static_cast<TestView*>(Document().GetViews().front()); }

    ScriptedUiServices ui;
    TempFolder folder;
    std::unique_ptr<fwtest::TestApp> app;
};

TEST_F(RavloDocTemplateTest, FailedOpenAfterTheTreeWasReleasedLeavesANewBook)
{
    const auto book = BookmarkItem::create();
    fillSampleTree(*book);
    const std::string good = folder.File("good.rvl");
    writeBinaryBook(good, *book);
    ASSERT_NE(nullptr, app->OpenDocumentFile(good));
    const std::string bad = folder.File("bad.rvl");
    writeFile(bad, std::string("Ravlo001") + int32Bytes(0) + int32Bytes(0) + int32Bytes(2));
    View().updates.clear();
    ui.answers = {IDOK};

    EXPECT_EQ(nullptr, app->OpenDocumentFile(bad));

    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(CodePage::toUtf8(kBadRecordMessage), CodePage::toUtf8(ui.messages[0].text));
    EXPECT_EQ("Default", Document().GetTitle());
    EXPECT_EQ("", Document().GetPathName());
    EXPECT_FALSE(Document().IsModified());
    ASSERT_EQ(1u, Document().rootItem()->children.size());
    EXPECT_EQ(CodePage::toUtf8("マイブックマーク"), CodePage::toUtf8(Document().rootItem()->children.front()->title));
    size_t resets = 0;
    for (const fwtest::ViewUpdate& update : View().updates) resets += update.hint == HintReset ? 1 : 0;
    EXPECT_LE(2u, resets);
}

TEST_F(RavloDocTemplateTest, WellFormedXmlOfAnotherKindOpensUntitled)
{
    const std::string foreign = folder.File("foreign.xml");
    writeFile(foreign, "<?xml version=\"1.0\"?><settings><a>1</a></settings>");
    ASSERT_NE(nullptr, app->OpenDocumentFile(foreign));

    EXPECT_EQ("", Document().GetPathName());
    EXPECT_EQ(CDocument::UntitledName, Document().GetTitle());
}

}  // namespace
