#include "app/AppOptions.h"
#include "app/LegacyIniOptions.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

namespace {

// 0x95 0x5C is 表: the INI file holds code page 932 bytes, as older releases wrote it.
const std::string Hyo = "\x95\x5C";

class LegacyIniOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = PathJoin::join(CodePage::fromWide(temp), "ravlo-ini-" + std::to_string(GetCurrentProcessId()));
        ASSERT_TRUE(CreateDirectoryW(CodePage::toWide(folder).c_str(), nullptr));
        settingsFolder = PathJoin::join(folder, "settings" + Hyo);
        ASSERT_TRUE(CreateDirectoryW(CodePage::toWide(settingsFolder).c_str(), nullptr));
        iniPath = PathJoin::join(folder, "Ravlo", "ini");
        options.settingsFolder = settingsFolder;
    }
    void TearDown() override
    {
        for (const std::string& file : {iniPath, options.optionsFile()})
            DeleteFileW(CodePage::toWide(file).c_str());
        RemoveDirectoryW(CodePage::toWide(settingsFolder).c_str());
        RemoveDirectoryW(CodePage::toWide(folder).c_str());
    }

    void writeIni(const std::string& bytes) const
    {
        std::ofstream(CodePage::toWide(iniPath).c_str(), std::ios::binary) << bytes;
    }
    std::string iniBytes() const
    {
        std::ifstream in(CodePage::toWide(iniPath).c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool optionsFileExists() const
    {
        return GetFileAttributesW(CodePage::toWide(options.optionsFile()).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string folder;
    std::string settingsFolder;
    std::string iniPath;
    AppOptions options;
};

TEST_F(LegacyIniOptionsTest, MigratesTheOnlyEntryAndWritesOptionsAtOnce)
{
    const std::string ini = "[FOLDER OPTION]\r\nFIRST OPEN=1\r\n";
    writeIni(ini);
    const LegacyIniOptions legacy(iniPath);
    ASSERT_TRUE(legacy.exists());

    options.LoadOptions(&legacy);

    const std::string defaultBook = settingsFolder + "\\Default.rvl";
    EXPECT_EQ(options.FirstOpen, 1);
    EXPECT_EQ(options.FirstFile, defaultBook);
    EXPECT_EQ(options.LastFile, defaultBook);
    EXPECT_EQ(options.OutputFile, settingsFolder + "\\Default.html");
    EXPECT_EQ(options.OpenBrowser, 0);
    EXPECT_EQ(options.UsePosition, 0);
    EXPECT_EQ(options.FirstMode, 2);
    EXPECT_EQ(options.OpenPosition, 1);
    EXPECT_EQ(options.PrevOpen, 0);
    EXPECT_EQ(options.SelectedAddin, "");
    EXPECT_EQ(options.AddPosition, 1);
    EXPECT_EQ(options.SameItemType, 0);
    EXPECT_EQ(options.SameUrlGroup, 0);
    EXPECT_EQ(options.windowInfo.Restore, 1);
    EXPECT_EQ(options.loaded, 0);
    EXPECT_TRUE(optionsFileExists());
    EXPECT_EQ(iniBytes(), ini);

    // From now on options.xml is what counts.
    AppOptions next;
    next.settingsFolder = settingsFolder;
    writeIni("[FOLDER OPTION]\r\nFIRST OPEN=0\r\n");
    next.LoadOptions(&legacy);
    EXPECT_EQ(next.FirstOpen, 1);
    EXPECT_EQ(next.LastFile, defaultBook);
    EXPECT_EQ(next.loaded, 1);
}

TEST_F(LegacyIniOptionsTest, ReadsEveryKeyKeepingNumbersAsWritten)
{
    writeIni("[FOLDER OPTION]\r\nFIRST OPEN=2\r\nFIRST FILE=C:\\" + Hyo + "\\first.rvl\r\nLAST FILE=\r\n"
             "[HTML OPTION]\r\nOUTPUT FILE=\"D:\\out.html\"\r\nOPEN BROWSER=3\r\n"
             "[DROPWINDOW OPTION]\r\nUSE POSITION=2\r\nWINDOW POSITION X=-40\r\nWINDOW POSITION Y=50\r\n"
             "FIRST MODE=0\r\nOPEN POSITION=0\r\nPREV OPEN=5\r\n"
             "[ADDIN INFO]\r\nSELECTED ADDIN=Velmir " + Hyo + "\r\n");

    LegacyIniOptions(iniPath).readInto(options);

    EXPECT_EQ(options.FirstOpen, 2);
    EXPECT_EQ(options.FirstFile, "C:\\" + Hyo + "\\first.rvl");
    EXPECT_EQ(options.LastFile, "");
    EXPECT_EQ(options.OutputFile, "D:\\out.html");
    EXPECT_EQ(options.OpenBrowser, 3);
    EXPECT_EQ(options.UsePosition, 2);
    EXPECT_EQ(options.WindowPositionX, -40);
    EXPECT_EQ(options.WindowPositionY, 50);
    EXPECT_EQ(options.FirstMode, 0);
    EXPECT_EQ(options.OpenPosition, 0);
    EXPECT_EQ(options.PrevOpen, 5);
    EXPECT_EQ(options.SelectedAddin, "Velmir " + Hyo);
}

TEST_F(LegacyIniOptionsTest, PositionIsReadOnlyWithUsePosition)
{
    writeIni("[DROPWINDOW OPTION]\r\nUSE POSITION=0\r\nWINDOW POSITION X=10\r\nWINDOW POSITION Y=20\r\n");
    LegacyIniOptions(iniPath).readInto(options);
    EXPECT_EQ(options.WindowPositionX, 0);
    EXPECT_EQ(options.WindowPositionY, 0);
}

TEST_F(LegacyIniOptionsTest, LongValuesAreReadWhole)
{
    const std::string longPath = "C:\\" + std::string(2000, 'a') + ".rvl";
    writeIni("[FOLDER OPTION]\r\nFIRST FILE=" + longPath + "\r\n");
    LegacyIniOptions(iniPath).readInto(options);
    EXPECT_EQ(options.FirstFile, longPath);
}

TEST_F(LegacyIniOptionsTest, MissingIniIsNoSource)
{
    const LegacyIniOptions legacy(iniPath);
    EXPECT_FALSE(legacy.exists());
    options.LoadOptions(&legacy);
    EXPECT_EQ(options.FirstOpen, 2);
    EXPECT_EQ(options.AddPosition, 0);
    EXPECT_EQ(options.loaded, 1);
    EXPECT_FALSE(optionsFileExists());
}

TEST(LegacyIniOptionsPathTest, LiesBesideTheProgram)
{
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::string expected = PathJoin::folderOf(CodePage::fromWide(std::wstring(program, length))) + "Ravlo.ini";
    EXPECT_EQ(LegacyIniOptions::besideProgram(), expected);
    EXPECT_EQ(expected.find("\\\\"), std::string::npos);
}

} // namespace
