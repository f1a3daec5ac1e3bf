#include "model/BookXml.h"
#include "model/HtmlItemStream.h"
#include "model/TodayText.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// CMake gives Linux paths; Wine sees the Linux root as drive Z:.
std::wstring windowsPath(const std::string& unixPath)
{
    std::wstring path = L"Z:" + CodePage::toWide(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::wstring dataFile(const char* name)
{
    return windowsPath(std::string(RAVLO_TEST_DATA) + "/" + name);
}

std::string readAll(HANDLE file)
{
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

struct ToolRun {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

class RvltoolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = temp + std::wstring(L"rvltool") + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }

    void TearDown() override
    {
        for (const std::wstring& name : created_) DeleteFileW(name.c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring scratchFile(const wchar_t* name)
    {
        created_.push_back(folder_ + L"\\" + name);
        return created_.back();
    }

    // A file that takes one stream of the tool and is read back afterwards
    // (files rather than pipes: nothing can block on a full pipe).
    HANDLE captureFile(const wchar_t* name)
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        return CreateFileW(scratchFile(name).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    }

    // Runs rvltool in `directory` (empty: this process's current folder).
    ToolRun run(const std::wstring& arguments, const std::wstring& directory = std::wstring())
    {
        ToolRun result;
        const HANDLE out = captureFile(L"stdout.txt");
        const HANDLE err = captureFile(L"stderr.txt");
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out;
        startup.hStdError = err;
        std::wstring commandLine = L"\"" + windowsPath(RVLTOOL_EXE) + L"\" " + arguments;
        PROCESS_INFORMATION process = {};
        const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                            nullptr, directory.empty() ? nullptr : directory.c_str(), &startup,
                                            &process);
        EXPECT_TRUE(started) << GetLastError();
        if (started) {
            WaitForSingleObject(process.hProcess, INFINITE);
            GetExitCodeProcess(process.hProcess, &result.exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        result.out = readAll(out);
        result.err = readAll(err);
        CloseHandle(out);
        CloseHandle(err);
        return result;
    }

    ToolRun dump(const std::wstring& book) { return run(L"dump \"" + book + L"\""); }

    // A file of the scratch folder holding `bytes`.
    std::wstring writeFile(const wchar_t* name, const std::string& bytes)
    {
        const std::wstring path = scratchFile(name);
        std::FILE* file = FileSystem::open(CodePage::fromWide(path), "wb");
        EXPECT_NE(nullptr, file);
        if (file != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        return path;
    }

    std::wstring copyOf(const char* dataName, const wchar_t* name)
    {
        const std::wstring path = scratchFile(name);
        EXPECT_TRUE(CopyFileW(dataFile(dataName).c_str(), path.c_str(), FALSE));
        return path;
    }

    std::wstring folder_;
    std::vector<std::wstring> created_;
};

const char kSampleDump[] = u8"Group\t\t\t\t\t\n"
                           u8"  Group\tマイブックマーク\t\t\t2004/05/06\t10000\n"
                           u8"    Url\t表～ & <検索>\thttp://example.jp/search?q=1&lang=ja\t"
                           u8"よく見る\\n二行目\\ttab \\\\ backslash\t2004/05/07\t01\n"
                           u8"    Separator\t\t\t\t2004/05/08\t\n";

const char kStreamDump[] = u8"Group\t\t\t\t\t\n"
                           u8"  Group\t表示\t\t\t2002/03/04\t10000\n"
                           u8"    Url\tソフト & <能力>\thttp://example.jp/?a=1\t一行目\\r\\n二行目\t2002/03/05\t01\n"
                           u8"  Separator\t\t\t\t2002/03/06\t\n";

TEST_F(RvltoolTest, DumpsAnXmlBookOneItemALine)
{
    const ToolRun result = dump(dataFile("sample.rvl"));
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(kSampleDump, result.out);
    EXPECT_EQ("", result.err);
}

TEST_F(RvltoolTest, DumpsABinaryBook)
{
    const ToolRun result = dump(dataFile("sample-stream.rvl"));
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(kStreamDump, result.out);
}

TEST_F(RvltoolTest, ConvertsEitherFormIntoAnXmlBook)
{
    const std::wstring fromXml = scratchFile(L"from xml.rvl");
    EXPECT_EQ(0u, run(L"convert \"" + dataFile("sample.rvl") + L"\" \"" + fromXml + L"\"").exitCode);
    EXPECT_EQ(kSampleDump, dump(fromXml).out);

    const std::wstring fromStream = scratchFile(L"from stream.rvl");
    EXPECT_EQ(0u, run(L"convert \"" + dataFile("sample-stream.rvl") + L"\" \"" + fromStream + L"\"").exitCode);
    EXPECT_EQ(kStreamDump, dump(fromStream).out);
    std::FILE* converted = FileSystem::open(CodePage::fromWide(fromStream), "rb");
    ASSERT_NE(nullptr, converted);
    char head[6] = {};
    std::fread(head, 1, 5, converted);
    std::fclose(converted);
    EXPECT_STREQ("<?xml", head);
}

TEST_F(RvltoolTest, FailuresSayWhyAndExitNonZero)
{
    const ToolRun missing = dump(folder_ + L"\\missing.rvl");
    EXPECT_EQ(1u, missing.exitCode);
    EXPECT_NE(std::string::npos, missing.err.find("rvltool: no such file: ")) << missing.err;
    EXPECT_EQ("", missing.out);

    const std::wstring notABook = scratchFile(L"not a book.rvl");
    std::FILE* file = FileSystem::open(CodePage::fromWide(notABook), "wb");
    ASSERT_NE(nullptr, file);
    std::fputs("just some text", file);
    std::fclose(file);
    const ToolRun unreadable = dump(notABook);
    EXPECT_EQ(1u, unreadable.exitCode);
    EXPECT_NE(std::string::npos, unreadable.err.find("rvltool: not a readable book: ")) << unreadable.err;

    const ToolRun badRecord = dump(dataFile("bad-record-stream.rvl"));
    EXPECT_EQ(1u, badRecord.exitCode);
    EXPECT_NE(std::string::npos, badRecord.err.find(u8"Itemに付属する文字列の数に対応できません。")) << badRecord.err;
    EXPECT_EQ("", badRecord.out);

    const std::wstring deep = scratchFile(L"deep.rvl");  // Group records with one child each
    file = FileSystem::open(CodePage::fromWide(deep), "wb");
    std::fputs("Ravlo001", file);
    const int32_t group[] = {0, 1, 4, 0, 0, 0, 0};
    for (int level = 0; level < 200; ++level) std::fwrite(group, sizeof group, 1, file);
    std::fclose(file);
    const ToolRun tooDeep = run(L"convert \"" + deep + L"\" \"" + scratchFile(L"deep out.rvl") + L"\"");
    EXPECT_EQ(1u, tooDeep.exitCode);
    EXPECT_NE(std::string::npos, tooDeep.err.find("nested deeper than the 128 levels a book can hold")) << tooDeep.err;

    const ToolRun unwritable =
        run(L"convert \"" + dataFile("sample.rvl") + L"\" \"" + folder_ + L"\\no such folder\\out.rvl\"");
    EXPECT_EQ(1u, unwritable.exitCode);
    EXPECT_NE(std::string::npos, unwritable.err.find("rvltool: cannot write ")) << unwritable.err;
}

TEST_F(RvltoolTest, BadArgumentsGetOneLineAndHelpTheUsage)
{
    const ToolRun none = run(L"");
    EXPECT_EQ(2u, none.exitCode);
    EXPECT_EQ(0u, none.err.find("usage: rvltool dump BOOK")) << none.err;
    const std::pair<const wchar_t*, const char*> mistakes[] = {
        {L"dump", "rvltool: missing arguments; usage: rvltool dump BOOK\n"},
        {L"convert a.rvl b.rvl c.rvl", "rvltool: too many arguments; usage: rvltool convert BOOK OUT.rvl\n"},
        {L"list x.rvl", "rvltool: unknown command list; see rvltool --help\n"},
        {L"import --deep a.rvl b.htm", "rvltool: unknown option --deep of import; see rvltool import --help\n"},
        {L"import --tree a.rvl b.htm c.htm",
         "rvltool: import --tree takes one BOOK and one FILE.html, and finds the file's encoding itself\n"},
        {L"html a.rvl b.html --addin", "rvltool: --addin needs a value; see rvltool html --help\n"},
        {L"html a.rvl b.html --marks 1,6",
         "rvltool: --marks takes mark numbers 1 to 5 separated by commas, not 1,6\n"},
    };
    for (const auto& [arguments, message] : mistakes) {
        const ToolRun result = run(arguments);
        EXPECT_EQ(2u, result.exitCode) << message;
        EXPECT_EQ(message, result.err);
    }
    const ToolRun help = run(L"--help");
    EXPECT_EQ(0u, help.exitCode);
    EXPECT_NE(std::string::npos, help.out.find("\n       rvltool dupes BOOK\n")) << help.out;
    const ToolRun findHelp = run(L"find --help");
    EXPECT_EQ(0u, findHelp.exitCode);
    EXPECT_EQ(0u, findHelp.out.find("usage: rvltool find BOOK TEXT...\n")) << findHelp.out;
}

TEST_F(RvltoolTest, ImportAddsTheLinksOfEachFileToTheTopGroup)
{
    writeFile(L"site.url", "[InternetShortcut]\r\nURL=http://url.example/\r\n");
    writeFile(L"hot.adr", "Opera Hotlist version 2.0\n\n#URL\n\tNAME=Opera\n\tURL=http://adr.example/\n");
    writeFile(L"links.htm", u8"<DT><A HREF=\"http://htm.example/\">見出し</A>\n");
    writeFile(L"notes.txt", "http://txt.example/\n");
    const std::wstring fresh = scratchFile(L"new.rvl");
    // Relative paths, from the scratch folder.
    const ToolRun created = run(L"import --utf8 new.rvl site.url hot.adr links.htm notes.txt", folder_);
    EXPECT_EQ(0u, created.exitCode) << created.err;
    EXPECT_EQ("3 links added\n", created.out);
    EXPECT_EQ("rvltool: skipped notes.txt: not a .htm, .html, .url or .adr file\n", created.err);
    const std::string today = todayText();
    const std::string link = "\t\t" + today + "\t\n";
    EXPECT_EQ(u8"Group\t\t\t\t\t\n  Group\tマイブックマーク\t\t\t" + today + "\t\n" +
                  "    Url\tsite\thttp://url.example/" + link + "    Url\tOpera\thttp://adr.example/" + link +
                  u8"    Url\t見出し\thttp://htm.example/" + link,
              dump(fresh).out);

    const std::wstring xmlBook = copyOf("sample.rvl", L"xml.rvl");
    EXPECT_EQ(0u, run(L"import \"" + xmlBook + L"\" \"" + folder_ + L"\\hot.adr\"").exitCode);
    EXPECT_EQ(kSampleDump + std::string("    Url\tOpera\thttp://adr.example/") + link, dump(xmlBook).out);

    const std::wstring streamBook = copyOf("sample-stream.rvl", L"stream.rvl");
    EXPECT_EQ(0u, run(L"import stream.rvl site.url", folder_).exitCode);
    std::string expected = kStreamDump;  // saved as XML now, its line break kept
    expected.insert(expected.find("  Separator"), "    Url\tsite\thttp://url.example/" + link);
    EXPECT_EQ(expected, dump(streamBook).out);

    const ToolRun missing = run(L"import \"" + xmlBook + L"\" gone.adr", folder_);
    EXPECT_EQ(1u, missing.exitCode);
    EXPECT_EQ("rvltool: no such file: gone.adr\n", missing.err);
}

TEST_F(RvltoolTest, ImportTreeAddsTheFileAsANewTopLevelGroup)
{
    writeFile(L"tree.html", u8"<H1>ブラウザ</H1><DL><DT><H3>旅行</H3><DL><DT><A HREF=\"http://a.example/\">宿</A></DL></DL>");
    const std::wstring book = scratchFile(L"tree.rvl");
    const ToolRun imported = run(L"import --tree tree.rvl tree.html", folder_);
    EXPECT_EQ(0u, imported.exitCode) << imported.err;
    EXPECT_EQ(u8"1 個のフォルダと 1 個のリンクをインポートしました。\n", imported.out);
    const std::string today = "\t" + todayText() + "\t\n";
    EXPECT_EQ(u8"Group\t\t\t\t\t\n  Group\tマイブックマーク\t\t" + today + u8"  Group\tブラウザ\t\t" + today +
                  u8"    Group\t旅行\t\t" + today + u8"      Url\t宿\thttp://a.example/\t" + today,
              dump(book).out);

    const ToolRun missing = run(L"import --tree tree.rvl gone.html", folder_);
    EXPECT_EQ(1u, missing.exitCode);
    EXPECT_EQ(u8"rvltool: gone.html のオープンに失敗しました。\n", missing.err);
}

TEST_F(RvltoolTest, HtmlHandsTheFilteredStreamToTheAddin)
{
    const std::wstring book = dataFile("sample.rvl");
    BookmarkItem root;
    ASSERT_EQ(BookLoad::Read, loadBook(CodePage::fromWide(book), root));
    const std::wstring addins = windowsPath(TEST_ADDIN_DIR);
    const std::wstring full = L" --addin \"" + addins + L"\\test_addin_full.dll\" --settings \"" + folder_ + L"\"";
    const std::wstring page = scratchFile(L"page.html");
    MarkFilter secondMark;
    secondMark.all = false;
    secondMark.mark[1] = true;
    for (const auto& [marks, filter] : {std::pair(L"", MarkFilter()), std::pair(L" --marks 2", secondMark)}) {
        const ToolRun made = run(L"html \"" + book + L"\" \"" + page + L"\"" + marks + full);
        EXPECT_EQ(0u, made.exitCode) << made.err;
        EXPECT_EQ(u8"Test Addin 1.0 を用いてHTMLを作成しました。\n", made.out);
        const std::vector<uint8_t> stream = HtmlItemStream::make(root, filter);
        std::FILE* file = FileSystem::open(CodePage::fromWide(page), "rb");
        ASSERT_NE(nullptr, file);
        std::vector<uint8_t> written(stream.size() + 1);
        written.resize(std::fread(written.data(), 1, written.size(), file));
        std::fclose(file);
        EXPECT_EQ(stream, written) << CodePage::fromWide(marks);
    }

    const ToolRun noFolder = run(L"html \"" + book + L"\" \"" + folder_ + L"\\gone\\page.html\"" + full);
    EXPECT_EQ(1u, noFolder.exitCode);
    EXPECT_EQ(u8"rvltool: Test Addin 1.0 によるHTML作成に失敗しました。\n", noFolder.err);
    const ToolRun minimal =
        run(L"html \"" + book + L"\" \"" + page + L"\" --addin \"" + addins + L"\\test_addin_minimal.dll\"");
    EXPECT_EQ(1u, minimal.exitCode);
    EXPECT_EQ(u8"rvltool: test_addin_minimal.dll によるHTML作成に失敗しました。\n", minimal.err);
}

TEST_F(RvltoolTest, ExportFindAndDupesWorkOnTheBook)
{
    const std::wstring book = dataFile("sample.rvl");
    const std::wstring exported = scratchFile(L"sample.html");
    EXPECT_EQ(0u, run(L"export \"" + book + L"\" \"" + exported + L"\"").exitCode);
    std::FILE* file = FileSystem::open(CodePage::fromWide(exported), "rb");
    ASSERT_NE(nullptr, file);
    char head[64] = {};
    std::fread(head, 1, sizeof head - 1, file);
    std::fclose(file);
    EXPECT_EQ(0, std::strncmp(head, "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n", 36)) << head;

    const ToolRun found = run(L"find \"" + book + L"\" ＥＸＡＭＰＬＥ 検索");
    EXPECT_EQ(0u, found.exitCode);
    EXPECT_EQ(u8"マイブックマーク\tUrl\t表～ & <検索>\thttp://example.jp/search?q=1&lang=ja\n", found.out);
    EXPECT_EQ(1u, run(L"find \"" + book + L"\" nowhere").exitCode);
    EXPECT_EQ(1u, run(L"dupes \"" + book + L"\"").exitCode);

    writeFile(L"a.url", "[InternetShortcut]\r\nURL=HTTP://Dupe.example:80\r\n");
    writeFile(L"b.url", "[InternetShortcut]\r\nURL=http://dupe.example/#\r\n");
    scratchFile(L"dupes.rvl");
    ASSERT_EQ(0u, run(L"import dupes.rvl a.url b.url", folder_).exitCode);
    const ToolRun dupes = run(L"dupes dupes.rvl", folder_);
    EXPECT_EQ(0u, dupes.exitCode);
    EXPECT_EQ(u8"HTTP://Dupe.example:80\n\tマイブックマーク\ta\tHTTP://Dupe.example:80\n"
              u8"\tマイブックマーク\tb\thttp://dupe.example/#\n",
              dupes.out);
    EXPECT_EQ(2u, run(L"dupes gone.rvl", folder_).exitCode);
}

}  // namespace
