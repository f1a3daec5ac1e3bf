#include "platform/FileSystem.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <string>

namespace {

// Each test works in a fresh folder whose name holds 表 (its second byte is a
// backslash) and characters that exist only as double-byte 932.
class FileSystemTest : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
        folderWide_ = std::wstring(temp) + L"ブック表" + std::to_wstring(GetCurrentProcessId())
            + L"_" + std::to_wstring(++folderCount_);
        ASSERT_TRUE(CreateDirectoryW(folderWide_.c_str(), nullptr));
        folder_ = CodePage::fromWide(folderWide_);
    }

    void TearDown() override
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folderWide_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring path = folderWide_ + L"\\" + found.cFileName;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW(path.c_str());
                else if (found.cFileName[0] != L'.')
                    RemoveDirectoryW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folderWide_.c_str());
    }

    std::string pathOf(const std::string& name932) const { return folder_ + "\\" + name932; }

    static void write(const std::string& path, const std::string& content)
    {
        std::FILE* file = FileSystem::open(path, "wb");
        ASSERT_NE(nullptr, file) << path;
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }

    static std::string read(const std::string& path)
    {
        std::FILE* file = FileSystem::open(path, "rb");
        if (!file)
            return "<missing>";
        std::string content;
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            content.append(buffer, n);
        std::fclose(file);
        return content;
    }

    std::wstring folderWide_;
    std::string folder_;

private:
    static inline int folderCount_ = 0;
};

TEST_F(FileSystemTest, OpensExistsAndRemovesByJapanesePath)
{
    const std::string path = pathOf("表示テスト①.rvl");
    EXPECT_FALSE(FileSystem::exists(path));
    write(path, "contents");

    const std::wstring widePath = folderWide_ + L"\\表示テスト①.rvl";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(widePath.c_str()));
    EXPECT_TRUE(FileSystem::exists(path));
    EXPECT_TRUE(FileSystem::exists(folder_));
    EXPECT_EQ("contents", read(path));

    EXPECT_TRUE(FileSystem::remove(path));
    EXPECT_FALSE(FileSystem::exists(path));
    EXPECT_FALSE(FileSystem::remove(path));
    EXPECT_FALSE(FileSystem::remove(folder_));  // folders are not removed
    EXPECT_TRUE(FileSystem::exists(folder_));
}

TEST_F(FileSystemTest, ReplaceMovesTheNewFileOverTheOld)
{
    const std::string target = pathOf("一覧表.rvl");
    write(target, "old");
    const std::string temporary = FileSystem::temporaryPathFor(target);
    write(temporary, "new");

    EXPECT_TRUE(FileSystem::replace(temporary, target));
    EXPECT_EQ("new", read(target));
    EXPECT_FALSE(FileSystem::exists(temporary));
}

TEST_F(FileSystemTest, ReplaceCreatesAMissingTarget)
{
    const std::string target = pathOf("新規.rvl");
    const std::string temporary = FileSystem::temporaryPathFor(target);
    write(temporary, "new");

    EXPECT_TRUE(FileSystem::replace(temporary, target));
    EXPECT_EQ("new", read(target));
    EXPECT_FALSE(FileSystem::exists(temporary));
}

TEST_F(FileSystemTest, TemporaryPathIsAFreshNameInTheTargetsFolder)
{
    // The target's name ends in 表, whose second byte is a backslash.
    const std::string target = pathOf("一覧表");
    const std::string first = FileSystem::temporaryPathFor(target);
    ASSERT_GT(first.size(), folder_.size() + 1);
    EXPECT_EQ(folder_ + "\\", first.substr(0, folder_.size() + 1));
    const std::string name = first.substr(folder_.size() + 1);
    EXPECT_FALSE(CodePage::isLeadByte(static_cast<unsigned char>(name[0]))) << "half a character left over";
    EXPECT_EQ(std::string::npos, name.find_first_of("\\/:"));
    EXPECT_FALSE(FileSystem::exists(first));

    write(first, "taken");
    const std::wstring listed = folderWide_ + L"\\" + CodePage::toWide(name);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(listed.c_str()));
    EXPECT_NE(first, FileSystem::temporaryPathFor(target));
}

TEST(FileSystemTemporaryPathTest, BareNameStaysInTheCurrentFolder)
{
    const std::string temporary = FileSystem::temporaryPathFor("表");
    ASSERT_FALSE(temporary.empty());
    EXPECT_EQ(std::string::npos, temporary.find_first_of("\\/:"));
}

TEST_F(FileSystemTest, FailedReplaceLeavesBothFilesAlone)
{
    const std::string target = pathOf("大事な表.rvl");
    const std::string source = pathOf("new.tmp");
    write(target, "old");
    write(source, "new");

    EXPECT_FALSE(FileSystem::replace(pathOf("missing.tmp"), target));
    EXPECT_EQ("old", read(target));

    const std::wstring targetWide = CodePage::toWide(target);
    ASSERT_TRUE(SetFileAttributesW(targetWide.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(FileSystem::replace(source, target)) << "read-only target";
    ASSERT_TRUE(SetFileAttributesW(targetWide.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ("old", read(target));
    EXPECT_EQ("new", read(source));

    HANDLE held = CreateFileW(targetWide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(FileSystem::replace(source, target)) << "target held open";
    CloseHandle(held);
    EXPECT_EQ("old", read(target));
    EXPECT_EQ("new", read(source));

    const std::string folderTarget = pathOf("フォルダ");
    ASSERT_TRUE(CreateDirectoryW(CodePage::toWide(folderTarget).c_str(), nullptr));
    EXPECT_FALSE(FileSystem::replace(source, folderTarget)) << "target is a folder";
    EXPECT_EQ("new", read(source));
}

}  // namespace

// A book must not change under the reader: while we have it open nobody else
// may write to it, and a file another program writes is refused as busy
// rather than as missing or forbidden.
TEST_F(FileSystemTest, OpenFilesAreKeptFromOtherWriters)
{
    const std::string path = pathOf("共有.rvl");
    write(path, "contents");
    const std::wstring widePath = CodePage::toWide(path);
    const auto openForWriting = [&] {
        return CreateFileW(widePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };

    std::FILE* reading = FileSystem::open(path, "rb");
    ASSERT_NE(nullptr, reading);
    EXPECT_EQ(INVALID_HANDLE_VALUE, openForWriting());
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
    std::fclose(reading);

    const HANDLE writer = openForWriting();
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    errno = 0;
    EXPECT_EQ(nullptr, FileSystem::open(path, "rb"));
    EXPECT_EQ(EBUSY, errno);
    CloseHandle(writer);
    EXPECT_EQ("contents", read(path));

    errno = 0;
    EXPECT_EQ(nullptr, FileSystem::open(pathOf("無い\\b.rvl"), "rb"));
    EXPECT_EQ(ENOTDIR, errno);
}
