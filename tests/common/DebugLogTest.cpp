#include "app/DebugLog.h"
#include "tests/common/CalendarTime.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::tm fixedTime()
{
    return calendarTime(2005, 1, 2, 3, 4, 5);
}

const std::string header = "LogFile 01/02/05 03:04:05\r\n";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("ravlo-debuglog-") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        previousDirectory = fs::current_path();
    }
    void TearDown() override
    {
        fs::current_path(previousDirectory);
        fs::remove_all(folder);
    }

    fs::path folder;
    fs::path previousDirectory;
};

TEST_F(DebugLogTest, EntriesCarryPlaceAndSequenceAfterDatedHeader)
{
    const fs::path path = folder / "trace.txt";
    DebugLog log(path.string(), fixedTime);
    log.Write("import.cpp", 12, "%d番目の項目を選択", 3);
    log.Write("other.cpp", 7, "%s and %%", "text");
    log.Write("import.cpp", 13, "plain");
    EXPECT_EQ(header + "import.cpp(12):{0} 3" + std::string("番目の項目を選択") + "\r\n" +
                  "other.cpp(7):{1} text and %\r\n" + "import.cpp(13):{2} plain\r\n",
              readFile(path));
}

TEST_F(DebugLogTest, FileIsCreatedInTheCurrentDirectoryOfTheFirstEntryAndEmptied)
{
    DebugLog log("log.txt", fixedTime);
    fs::current_path(folder);
    std::ofstream(folder / "log.txt") << "an older run's trace, much longer than the new one\r\n";

    log.Write("a.cpp", 1, "first");
    fs::current_path(previousDirectory);
    log.Write("a.cpp", 2, "second");

    EXPECT_EQ(header + "a.cpp(1):{0} first\r\na.cpp(2):{1} second\r\n", readFile(folder / "log.txt"));
}

TEST_F(DebugLogTest, LongMessageIsCutAt2048Bytes)
{
    const fs::path path = folder / "trace.txt";
    DebugLog log(path.string(), fixedTime);
    const std::string exact(DebugLog::MessageLimit, 'x');
    log.Write("a.cpp", 1, "%s", exact.c_str());
    log.Write("a.cpp", 2, "%s%s", exact.c_str(), "overflow");
    log.Write("a.cpp", 3, "%s", exact.substr(1).c_str());
    EXPECT_EQ(header + "a.cpp(1):{0} " + exact + "\r\n" + "a.cpp(2):{1} " + exact + "\r\n" +
                  "a.cpp(3):{2} " + exact.substr(1) + "\r\n",
              readFile(path));
}

TEST_F(DebugLogTest, UncreatableFileLosesEntriesSilentlyAndSequenceRunsOn)
{
    const fs::path path = folder / "log.txt";
    fs::create_directory(path);  // a folder in the way: the file cannot be created
    DebugLog log(path.string(), fixedTime);
    log.Write("a.cpp", 1, "lost");
    EXPECT_TRUE(fs::is_directory(path));

    fs::remove(path);
    log.Write("a.cpp", 2, "kept");
    EXPECT_EQ(header + "a.cpp(2):{1} kept\r\n", readFile(path));
}

TEST_F(DebugLogTest, MissingFolderLosesEntriesSilently)
{
    DebugLog log((folder / "absent" / "log.txt").string(), fixedTime);
    log.Write("a.cpp", 1, "lost");
    EXPECT_FALSE(fs::exists(folder / "absent"));
}

#ifdef _WIN32
TEST_F(DebugLogTest, OthersMayReadButNotWriteTheOpenTrace)
{
    const fs::path path = folder / "trace.txt";
    DebugLog log(path.string(), fixedTime);
    log.Write("a.cpp", 1, "entry");

    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE reader = CreateFileW(path.wstring().c_str(), GENERIC_READ, shareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    char text[64] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(reader, text, sizeof text - 1, &read, nullptr));
    EXPECT_EQ(header + "a.cpp(1):{0} entry\r\n", std::string(text, read));
    CloseHandle(reader);

    HANDLE writer = CreateFileW(path.wstring().c_str(), GENERIC_WRITE, shareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}
#endif

}  // namespace
