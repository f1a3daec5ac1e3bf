#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

    ToolRun run(const std::wstring& arguments)
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
                                            nullptr, nullptr, &startup, &process);
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

TEST_F(RvltoolTest, BadArgumentsShowTheUsage)
{
    for (const std::wstring& arguments : {std::wstring(), std::wstring(L"dump"), std::wstring(L"list x.rvl"),
                                          std::wstring(L"convert only-one.rvl")}) {
        const ToolRun result = run(arguments);
        EXPECT_EQ(2u, result.exitCode) << CodePage::fromWide(arguments);
        EXPECT_EQ(0u, result.err.find("usage: rvltool dump BOOK")) << result.err;
    }
}

}  // namespace
