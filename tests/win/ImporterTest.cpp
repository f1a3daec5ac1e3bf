// The Netscape, Mozilla, Opera and any-file importers on real files: where
// their file dialogs start, what they read, what they say when a file cannot
// be read, and when they count as present. The browsers' registry keys and
// the application-data folder are stood in for by a test key and a folder of
// the test's own.

#include "FrameworkTestSupport.h"
#include "app/DebugLog.h"
#include "app/ShellFolders.h"
#include "import/AnyFileImporter.h"
#include "import/IEFavoritesImporter.h"
#include "import/ImporterList.h"
#include "import/MozillaBookmarkImporter.h"
#include "import/NetscapeBookmarkImporter.h"
#include "import/OperaBookmarkImporter.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using fwtest::ScriptedUiServices;
using Pairs = std::vector<std::pair<std::string, std::string>>;

void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(listing, &entry));
        FindClose(listing);
    }
    RemoveDirectoryW(folder.c_str());
}

// A folder of the test's own, named with 表 (second byte 0x5C), removed with
// everything in it.
class TestFolder {
public:
    TestFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = PathJoin::join(CodePage::fromWide(temp),
                               "ravlo-importers-" + std::to_string(GetCurrentProcessId()) + "-表");
        removeTree(CodePage::toWide(path_));
        CreateDirectoryPath(path_);
    }
    ~TestFolder() { removeTree(CodePage::toWide(path_)); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Makes the folder `relative` (with its parents) and gives its path.
    std::string Folder(const std::string& relative) const
    {
        const std::string path = PathJoin::join(path_, relative);
        EXPECT_TRUE(CreateDirectoryPath(path)) << CodePage::toUtf8(path);
        return path;
    }
    // Writes `bytes` into the file `relative` and gives its path.
    std::string Write(const std::string& relative, const std::string& bytes) const
    {
        const std::string path = PathJoin::join(path_, relative);
        CreateDirectoryPath(PathJoin::folderOf(path));
        std::ofstream(CodePage::toWide(path).c_str(), std::ios::binary) << bytes;
        return path;
    }

private:
    std::string path_;
};

// Registry values under a key of the test's own below HKEY_CURRENT_USER,
// removed afterwards.
class TestRegistryKey {
public:
    TestRegistryKey() : path_("Software\\RavloImporterTest" + std::to_string(GetCurrentProcessId()))
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, CodePage::toWide(path_).c_str());
    }
    ~TestRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, CodePage::toWide(path_).c_str()); }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const std::string& Path() const { return path_; }
    void Create() const
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, CodePage::toWide(path_).c_str(), 0, nullptr, 0,
                                                 KEY_WRITE, nullptr, &key, nullptr));
        RegCloseKey(key);
    }
    void SetText(const std::string& name, const std::string& value) const
    {
        const std::wstring wide = CodePage::toWide(value);
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetKeyValueW(HKEY_CURRENT_USER, CodePage::toWide(path_).c_str(), CodePage::toWide(name).c_str(),
                                  REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))));
    }
    void SetNumber(const std::string& name, DWORD value) const
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, CodePage::toWide(path_).c_str(),
                                                 CodePage::toWide(name).c_str(), REG_DWORD, &value, sizeof(value)));
    }

private:
    std::string path_;
};

// The program's trace ("log.txt" in the current folder, opened at its first entry).
std::string logFile()
{
    std::ifstream in("log.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Makes sure the trace is open and tells where the entries to come will start.
size_t logMark()
{
    DEBUG_LOG("ImporterTest");
    return logFile().size();
}

// The messages of the trace entries in `log`, without their "file(line):{n} " prefix.
std::vector<std::string> logMessages(const std::string& log)
{
    std::vector<std::string> messages;
    for (size_t start = 0; start < log.size();) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        const size_t prefixEnd = line.find("} ");
        if (line.find(":{") != std::string::npos && prefixEnd != std::string::npos)
            messages.push_back(line.substr(prefixEnd + 2));
        start = end + 2;
    }
    return messages;
}

// A Netscape bookmark file in code page 932: two links inside a folder, a
// separator, a description and a link whose closing tag is on the next line.
const std::string NetscapeFile =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\n"
    "<TITLE>ブックマーク</TITLE>\r\n"
    "<H1>ブックマーク</H1>\r\n"
    "<DL><p>\r\n"
    "    <DT><H3 ADD_DATE=\"1\">ニュース</H3>\r\n"
    "    <DL><p>\r\n"
    "        <DT><A HREF=\"http://example.jp/?a=1&amp;b=2\" ADD_DATE=\"2\">表示 &amp; ソフト</A>\r\n"
    "        <DD>説明\r\n"
    "        <HR>\r\n"
    "        <DT><A HREF=\"http://example.com/\">天気予報〜週間</A>\r\n"
    "    </DL><p>\r\n"
    "    <DT><A HREF=\"http://split.example/\">二行\r\n"
    "</A>\r\n"
    "</DL><p>\r\n";
const Pairs NetscapePairs = {{"表示 &amp; ソフト", "http://example.jp/?a=1&amp;b=2"},
                             {"天気予報〜週間", "http://example.com/"}};

// The same links as Mozilla writes them, in UTF-8.
const std::string MozillaFile =
    u8"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    u8"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    u8"<TITLE>Bookmarks</TITLE>\n"
    u8"<DL><p>\n"
    u8"    <DT><A HREF=\"http://example.jp/?a=1&amp;b=2\" ADD_DATE=\"2\">表示 &amp; ソフト</A>\n"
    u8"    <DT><A HREF=\"http://example.com/\">天気予報〜週間</A>\n"
    u8"</DL><p>\n";

// An Opera hotlist in UTF-8: a folder holding two links, one of them without NAME.
const std::string HotlistFile =
    u8"Opera Hotlist version 2.0\r\n"
    u8"Options: encoding = utf8, version=3\r\n"
    u8"\r\n"
    u8"#FOLDER\r\n"
    u8"\tID=1\r\n"
    u8"\tNAME=フォルダ\r\n"
    u8"\r\n"
    u8"#URL\r\n"
    u8"\tID=2\r\n"
    u8"\tNAME=地図 〜 旅行\r\n"
    u8"\tURL=http://map.example.jp/?q=a=b\r\n"
    u8"\r\n"
    u8"#URL\r\n"
    u8"\tURL=http://noname.example/\r\n"
    u8"\r\n"
    u8"-\r\n";
const Pairs HotlistPairs = {{"地図 〜 旅行", "http://map.example.jp/?q=a=b"}, {"", "http://noname.example/"}};

const char* const HtmlFilter = "ブックマークファイル (*.htm;*.html)|*.htm;*.html|全てのファイル (*.*)|*.*||";

class ImporterTest : public ::testing::Test {
protected:
    Pairs pairs() const
    {
        EXPECT_EQ(titles.size(), urls.size());
        Pairs result;
        for (size_t i = 0; i < titles.size() && i < urls.size(); ++i)
            result.emplace_back(titles[i], urls[i]);
        return result;
    }
    int runImport(BookmarkImporter& importer) { return importer.Import(owner, titles, urls); }
    void expectOpenFailureFor(const std::string& path) const
    {
        ASSERT_EQ(1u, ui.messages.size());
        EXPECT_EQ(CodePage::toUtf8(path + " のオープンに失敗しました。"), CodePage::toUtf8(ui.messages[0].text));
        EXPECT_EQ(CodePage::toUtf8("エラー"), CodePage::toUtf8(ui.messages[0].caption));
        EXPECT_EQ(static_cast<UINT>(MB_OK), ui.messages[0].type);
    }
    void expectSingleFileRequest(const std::string& extension, const std::string& fileName, const std::string& filter,
                                 const std::string& folder) const
    {
        ASSERT_EQ(1u, ui.fileRequests.size());
        const FileDialogRequest& request = ui.fileRequests[0];
        EXPECT_TRUE(request.open);
        EXPECT_EQ(extension, request.defaultExtension);
        EXPECT_EQ(fileName, request.fileName);
        EXPECT_EQ(CodePage::toUtf8(filter), CodePage::toUtf8(request.filter));
        EXPECT_EQ(CodePage::toUtf8(folder), CodePage::toUtf8(request.initialFolder));
        EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY), request.flags);
    }

    HWND owner = nullptr;
    ScriptedUiServices ui;
    TestFolder folder;
    TestRegistryKey registry;
    std::vector<std::string> titles;
    std::vector<std::string> urls;
};

TEST_F(ImporterTest, NamesAreTheListTexts)
{
    EXPECT_EQ(CodePage::toUtf8("Netscape Communicatorのブックマークよりインポート"),
              CodePage::toUtf8(NetscapeBookmarkImporter().GetName()));
    EXPECT_EQ(CodePage::toUtf8("Netscape(6以降)のブックマークよりインポート"),
              CodePage::toUtf8(MozillaBookmarkImporter().GetName()));
    EXPECT_EQ(CodePage::toUtf8("Operaのブックマークよりインポート"),
              CodePage::toUtf8(OperaBookmarkImporter().GetName()));
    EXPECT_EQ(CodePage::toUtf8("任意のファイルよりインポート"), CodePage::toUtf8(AnyFileImporter().GetName()));
    EXPECT_EQ(1, AnyFileImporter().IsAvailable());
}

TEST_F(ImporterTest, TheImportDialogGetsTheSourcesInListOrder)
{
    std::vector<std::string> names;
    for (const auto& importer : createImporters())
        names.push_back(CodePage::toUtf8(importer->GetName()));
    const std::vector<std::string> expected = {
        CodePage::toUtf8(IEFavoritesImporter().GetName()), CodePage::toUtf8(NetscapeBookmarkImporter().GetName()),
        CodePage::toUtf8(MozillaBookmarkImporter().GetName()), CodePage::toUtf8(OperaBookmarkImporter().GetName()),
        CodePage::toUtf8(AnyFileImporter().GetName())};
    EXPECT_EQ(expected, names);
}

// ---------------------------------------------------------------- Netscape

TEST_F(ImporterTest, NetscapeIsPresentWhenItsInstallDirectoryIsRegistered)
{
    NetscapeBookmarkImporter importer(registry.Path());
    EXPECT_EQ(0, importer.IsAvailable());
    registry.Create();
    EXPECT_EQ(0, importer.IsAvailable());
    registry.SetNumber("Install Directory", 1);
    EXPECT_EQ(0, importer.IsAvailable());
    registry.SetText("Install Directory", folder.Path());
    EXPECT_EQ(1, importer.IsAvailable());
    // Its folders need not exist.
    registry.SetText("Install Directory", "Z:\\無い\\Program");
    EXPECT_EQ(1, importer.IsAvailable());
}

TEST_F(ImporterTest, NetscapeStartsInTheOnlyProfileBesideTheInstallDirectoryAndReadsTheLinks)
{
    // The install directory ends in a backslash and in 表, whose second byte is one too.
    folder.Folder("Netscape\\表");
    registry.SetText("Install Directory", PathJoin::join(folder.Path(), "Netscape\\表\\"));
    const std::string profile = folder.Folder("Netscape\\Users\\山田");
    const std::string file = folder.Write("Netscape\\Users\\山田\\bookmark.htm", NetscapeFile);
    ui.fileChoices = {{file}};
    titles = {"前から"};
    urls = {"http://before/"};
    const size_t logBefore = logMark();

    NetscapeBookmarkImporter importer(registry.Path());
    EXPECT_EQ(1, runImport(importer));

    expectSingleFileRequest("htm", "bookmark.htm", HtmlFilter, profile);
    Pairs expected = {{"前から", "http://before/"}};
    expected.insert(expected.end(), NetscapePairs.begin(), NetscapePairs.end());
    EXPECT_EQ(expected, pairs());
    EXPECT_TRUE(ui.messages.empty());
    const std::vector<std::string> wanted = {"Import元ディレクトリ取得", "ファイルダイアログオープン",
                                             "ブックマークファイル解析得"};
    EXPECT_EQ(wanted, logMessages(logFile().substr(logBefore)));
}

TEST_F(ImporterTest, NetscapeStartsInUsersUnlessThereIsExactlyOneProfile)
{
    registry.SetText("Install Directory", PathJoin::join(folder.Path(), "Netscape\\Program"));
    const std::string users = PathJoin::join(folder.Path(), "Netscape\\Users");
    NetscapeBookmarkImporter importer(registry.Path());
    ui.fileChoices = {{}, {}, {}};

    EXPECT_EQ(0, runImport(importer));  // no Users folder at all
    folder.Folder("Netscape\\Users\\一");
    folder.Folder("Netscape\\Users\\二");
    folder.Write("Netscape\\Users\\files.txt", "not a folder");
    EXPECT_EQ(0, runImport(importer));
    registry.SetText("Install Directory", "");
    EXPECT_EQ(0, runImport(importer));

    ASSERT_EQ(3u, ui.fileRequests.size());
    EXPECT_EQ(CodePage::toUtf8(users), CodePage::toUtf8(ui.fileRequests[0].initialFolder));
    EXPECT_EQ(CodePage::toUtf8(users), CodePage::toUtf8(ui.fileRequests[1].initialFolder));
    EXPECT_EQ("Users", ui.fileRequests[2].initialFolder);
    EXPECT_TRUE(titles.empty());
}

TEST_F(ImporterTest, NetscapeWithoutRegistrationStillAsksForAFileAndCancelReadsNothing)
{
    ui.fileChoices = {{}};
    const size_t logBefore = logMark();

    NetscapeBookmarkImporter importer(registry.Path());
    EXPECT_EQ(0, runImport(importer));

    expectSingleFileRequest("htm", "bookmark.htm", HtmlFilter, "");
    EXPECT_TRUE(titles.empty());
    EXPECT_TRUE(urls.empty());
    const std::vector<std::string> wanted = {"Import元ディレクトリ取得", "ファイルダイアログオープン"};
    EXPECT_EQ(wanted, logMessages(logFile().substr(logBefore)));
}

TEST_F(ImporterTest, NetscapeFileThatCannotBeOpenedIsReportedAndGivesNothing)
{
    const std::string missing = PathJoin::join(folder.Path(), "無い.htm");
    ui.fileChoices = {{missing}};
    ui.answers = {IDOK};

    NetscapeBookmarkImporter importer(registry.Path());
    EXPECT_EQ(0, runImport(importer));

    expectOpenFailureFor(missing);
    EXPECT_TRUE(titles.empty());
}

TEST_F(ImporterTest, BookmarkFileIsSharedForReadingOnly)
{
    const std::string file = folder.Write("bookmark.htm", NetscapeFile);
    ui.fileChoices = {{file}, {file}};
    ui.answers = {IDOK};
    NetscapeBookmarkImporter importer(registry.Path());
    {
        // Another reader does not stand in the way.
        const HANDLE reader = CreateFileW(CodePage::toWide(file).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, reader);
        EXPECT_EQ(1, runImport(importer));
        CloseHandle(reader);
    }
    EXPECT_EQ(NetscapePairs, pairs());
    {
        // A writer does: the file could change under the scan.
        const HANDLE writer = CreateFileW(CodePage::toWide(file).c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, writer);
        EXPECT_EQ(0, runImport(importer));
        CloseHandle(writer);
    }
    expectOpenFailureFor(file);
    EXPECT_EQ(2u, titles.size());
}

// ---------------------------------------------------------------- Mozilla

TEST_F(ImporterTest, MozillaIsPresentWhenItsProfilesFolderExists)
{
    MozillaBookmarkImporter importer(folder.Path());
    EXPECT_EQ(0, importer.IsAvailable());
    folder.Write("Mozilla\\Profiles", "a file, not a folder");
    EXPECT_EQ(0, importer.IsAvailable());
    DeleteFileW(CodePage::toWide(PathJoin::join(folder.Path(), "Mozilla\\Profiles")).c_str());
    folder.Folder("Mozilla\\Profiles");
    EXPECT_EQ(1, importer.IsAvailable());

    // Without a profile folder nothing is shown at all.
    EXPECT_EQ(0, MozillaBookmarkImporter(PathJoin::join(folder.Path(), "無い")).Import(owner, titles, urls));
    EXPECT_TRUE(ui.fileRequests.empty());
}

TEST_F(ImporterTest, MozillaDescendsTwiceIntoOnlyProfilesAndReadsUtf8)
{
    folder.Folder("Mozilla\\Profiles\\default\\x1y2.slt\\chrome");
    const std::string profile = PathJoin::join(folder.Path(), "Mozilla\\Profiles\\default\\x1y2.slt");
    const std::string file = folder.Write("Mozilla\\Profiles\\default\\x1y2.slt\\bookmarks.html", MozillaFile);
    ui.fileChoices = {{file}};

    MozillaBookmarkImporter importer(folder.Path());
    EXPECT_EQ(1, runImport(importer));

    expectSingleFileRequest("html", "bookmarks.html", HtmlFilter, profile);
    // 〜 arrives as code page 932's own wave dash (0x81 0x60), not as "?".
    EXPECT_EQ(NetscapePairs, pairs());
    EXPECT_NE(std::string::npos, titles[1].find("\x81\x60"));
}

TEST_F(ImporterTest, MozillaStartsInProfilesWhenThereAreSeveral)
{
    folder.Folder("Mozilla\\Profiles\\default\\a.slt");
    folder.Folder("Mozilla\\Profiles\\work\\b.slt");
    ui.fileChoices = {{}};

    MozillaBookmarkImporter importer(folder.Path());
    EXPECT_EQ(0, runImport(importer));

    expectSingleFileRequest("html", "bookmarks.html", HtmlFilter,
                            PathJoin::join(folder.Path(), "Mozilla\\Profiles"));
}

TEST_F(ImporterTest, MozillaEmptyOrUnreadableFiles)
{
    const std::string empty = folder.Write("Mozilla\\Profiles\\bookmarks.html", "");
    const std::string missing = PathJoin::join(folder.Path(), "Mozilla\\Profiles\\無い.html");
    ui.fileChoices = {{empty}, {missing}};
    ui.answers = {IDOK};

    MozillaBookmarkImporter importer(folder.Path());
    EXPECT_EQ(1, runImport(importer));  // an empty file is a file without links
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(0, runImport(importer));

    expectOpenFailureFor(missing);
    EXPECT_TRUE(titles.empty());
}

// ---------------------------------------------------------------- Opera

TEST_F(ImporterTest, OperaIsPresentWhenItsLastDirectoryIsRegistered)
{
    OperaBookmarkImporter importer(registry.Path());
    EXPECT_EQ(0, importer.IsAvailable());
    registry.SetText("Other", "x");
    EXPECT_EQ(0, importer.IsAvailable());
    registry.SetText("Last Directory", std::string(MAX_PATH + 1, 'x'));
    EXPECT_EQ(0, importer.IsAvailable());
    registry.SetText("Last Directory", folder.Path());
    EXPECT_EQ(1, importer.IsAvailable());
}

TEST_F(ImporterTest, OperaStartsInTheLastDirectoryAndReadsTheHotlist)
{
    const std::string file = folder.Write("opera6.adr", HotlistFile);
    registry.SetText("Last Directory", folder.Path());
    ui.fileChoices = {{file}};

    OperaBookmarkImporter importer(registry.Path());
    EXPECT_EQ(1, runImport(importer));

    expectSingleFileRequest("adr", "Opera6.adr", "Operaブックマークファイル (*.adr)|*.adr|全てのファイル (*.*)|*.*||",
                            folder.Path());
    EXPECT_EQ(HotlistPairs, pairs());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImporterTest, OperaGivesNothingWithoutRegistrationOnCancelOrForAnUnreadableFile)
{
    OperaBookmarkImporter importer(registry.Path());
    EXPECT_EQ(0, runImport(importer));
    EXPECT_TRUE(ui.fileRequests.empty());

    registry.SetText("Last Directory", folder.Path());
    const std::string missing = PathJoin::join(folder.Path(), "無い.adr");
    ui.fileChoices = {{}, {missing}};
    ui.answers = {IDOK};
    EXPECT_EQ(0, runImport(importer));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(0, runImport(importer));

    expectOpenFailureFor(missing);
    EXPECT_TRUE(titles.empty());
}

// ---------------------------------------------------------------- any file

TEST_F(ImporterTest, AnyFileReadsEachChosenFileWithItsReaderInSelectionOrder)
{
    const std::string hotlist = folder.Write("links.ADR", HotlistFile);
    const std::string shortcut = folder.Write("地図.url", "[InternetShortcut]\r\nURL=http://shortcut.example/\r\n");
    const std::string text = folder.Write("memo.txt", "#URL\r\nURL=http://ignored/\r\n");
    const std::string html = folder.Write("bookmark.htm", NetscapeFile);
    ui.fileChoices = {{hotlist, shortcut, text, html}};

    AnyFileImporter importer;
    EXPECT_EQ(1, runImport(importer));

    std::string documents;
    ASSERT_TRUE(GetSpecialFolderPath(nullptr, CSIDL_PERSONAL, documents));
    ASSERT_EQ(1u, ui.fileRequests.size());
    const FileDialogRequest& request = ui.fileRequests[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ("html", request.defaultExtension);
    EXPECT_EQ("", request.fileName);
    EXPECT_EQ(CodePage::toUtf8("HTMLファイル (*.htm;*.html)|*.htm;*.html|URLファイル (*.url)|*.url|"
                               "ADRファイル (*.adr)|*.adr|全てのファイル (*.*)|*.*||"),
              CodePage::toUtf8(request.filter));
    EXPECT_EQ(CodePage::toUtf8(documents), CodePage::toUtf8(request.initialFolder));
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT), request.flags);

    Pairs expected = HotlistPairs;
    expected.emplace_back("地図", "http://shortcut.example/");
    expected.insert(expected.end(), NetscapePairs.begin(), NetscapePairs.end());
    EXPECT_EQ(expected, pairs());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImporterTest, AnyFileReadsAnHtmlFileThatDeclaresUtf8AsUtf8)
{
    const std::string html = folder.Write("bookmarks.html", MozillaFile);
    ui.fileChoices = {{html}};

    AnyFileImporter importer;
    EXPECT_EQ(1, runImport(importer));
    EXPECT_EQ(NetscapePairs, pairs());
}

TEST_F(ImporterTest, AnyFileCountsOnlyFilesThatCouldBeRead)
{
    const std::string text = folder.Write("a.txt", "<A HREF=\"http://a/\">a</A>");
    const std::string noUrl = folder.Write("空.url", "[InternetShortcut]\r\nURL=\r\n");
    const std::string missing = PathJoin::join(folder.Path(), "無い.html");
    const std::string shortcut = folder.Write("b.url", "[InternetShortcut]\r\nURL=http://b/\r\n");
    ui.fileChoices = {{}, {text, noUrl}, {missing, shortcut}};
    ui.answers = {IDOK};

    AnyFileImporter importer;
    EXPECT_EQ(0, runImport(importer));  // cancelled
    EXPECT_EQ(0, runImport(importer));  // nothing readable: no message either
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(1, runImport(importer));  // the unreadable file is reported, the others still read

    expectOpenFailureFor(missing);
    EXPECT_EQ(Pairs({{"b", "http://b/"}}), pairs());
}

}  // namespace
