#include "platform/PathJoin.h"

#include <gtest/gtest.h>

namespace {

// 0x95 0x5C is 表: its second byte is a backslash, but the character is not one.
const std::string Hyo = "\x95\x5C";

TEST(PathJoinTest, InsertsExactlyOneBackslashAndADotBeforeTheExtension)
{
    EXPECT_EQ(PathJoin::join("C:\\Ravlo", "options", "xml"), "C:\\Ravlo\\options.xml");
    EXPECT_EQ(PathJoin::join("C:\\Ravlo\\", "options", "xml"), "C:\\Ravlo\\options.xml");
    EXPECT_EQ(PathJoin::join("C:\\", "Users"), "C:\\Users");
    EXPECT_EQ(PathJoin::join("C:\\" + Hyo, "Default", "rvl"), "C:\\" + Hyo + "\\Default.rvl");
    EXPECT_EQ(PathJoin::join("C:\\" + Hyo + "\\", "Default", "rvl"), "C:\\" + Hyo + "\\Default.rvl");
}

TEST(PathJoinTest, EndsWithBackslashLooksAtWholeCharacters)
{
    EXPECT_TRUE(PathJoin::endsWithBackslash("C:\\"));
    EXPECT_TRUE(PathJoin::endsWithBackslash("\\"));
    EXPECT_FALSE(PathJoin::endsWithBackslash(""));
    EXPECT_FALSE(PathJoin::endsWithBackslash("C:"));
    EXPECT_FALSE(PathJoin::endsWithBackslash(Hyo));
    EXPECT_FALSE(PathJoin::endsWithBackslash("a" + Hyo));
    // Two lead bytes in a row: the first pairs with the second, leaving the backslash alone.
    EXPECT_TRUE(PathJoin::endsWithBackslash("\x95\x95\\"));
    // A lone lead byte at the end is one character.
    EXPECT_FALSE(PathJoin::endsWithBackslash("a\x95"));
}

TEST(PathJoinTest, FolderOfKeepsDriveAndFolderWithTheSeparator)
{
    EXPECT_EQ(PathJoin::folderOf("C:\\Program Files\\Ravlo\\Ravlo.exe"), "C:\\Program Files\\Ravlo\\");
    EXPECT_EQ(PathJoin::folderOf("C:Ravlo.exe"), "C:");
    EXPECT_EQ(PathJoin::folderOf("Ravlo.exe"), "");
    EXPECT_EQ(PathJoin::folderOf("C:\\" + Hyo + "\\Ravlo.exe"), "C:\\" + Hyo + "\\");
    EXPECT_EQ(PathJoin::folderOf("C:\\" + Hyo + "Ravlo.exe"), "C:\\");
}

} // namespace
