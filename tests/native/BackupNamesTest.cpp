// The backups of books: their names, which ones are kept, and the item
// count the restore dialog shows for each.

#include "app/BackupNames.h"
#include "framework/MemoryFile.h"
#include "model/BookItemCount.h"
#include "model/ItemRecord.h"
#include "tests/common/CalendarTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BackupNames, NameTheBookAndTheLocalTimeAndReadBothBack)
{
    const std::string name =
        BackupNames::fileName(BackupNames::bookName("C:\\本棚\\表.v2.rvl"), calendarTime(2024, 3, 5, 7, 8, 9));
    EXPECT_EQ("表.v2-20240305-070809.rvl", name);
    std::string book, shown;
    ASSERT_TRUE(BackupNames::parse(name, book, shown));
    EXPECT_EQ("表.v2", book);
    EXPECT_EQ("2024/03/05 07:08:09", shown);
    for (const char* other : {"表.rvl", "a-20240305-0708x9.rvl", "-20240305-070809.rvl", "a-20240305-070809.txt"})
        EXPECT_FALSE(BackupNames::parse(other, book, shown)) << other;
}

TEST(BackupNames, SurplusIsWhatIsOlderThanTheTenNewestOfThatBookOnly)
{
    std::vector<std::string> names = {"本-2-20200101-000000.rvl", "notes.txt"};
    for (int day = 12; day >= 1; --day) names.push_back("本-202401" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "-120000.rvl");
    EXPECT_EQ(std::vector<std::string>({"本-20240102-120000.rvl", "本-20240101-120000.rvl"}), BackupNames::surplus(names, "本"));
    EXPECT_TRUE(BackupNames::surplus(names, "本-2").empty());
}

TEST(BookItemCount, CountsTheItemsOfBothBookFormsWithoutTheRoot)
{
    EXPECT_EQ(3, countBookItems(R"(<Ravlo xmlns="x"><Item type="Group"><Title/><ItemList><Item type="Url">)"
                                R"(<Title>&lt;Item a</Title></Item><Item type="Group"><ItemList><Item type="Separator"/>)"
                                R"(</ItemList></Item></ItemList></Item></Ravlo>)"));
    const ItemRef root = BookmarkItem::create();
    root->addGroupChild("g", "")->addUrlChild("u", "http://u/", "", "");
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemStream(archive, *root, WriteNone);
    archive.close();
    EXPECT_EQ(2, countBookItems(std::string(file.bytes().begin(), file.bytes().end())));
    EXPECT_EQ(-1, countBookItems("Ravlo001\x05"));
    EXPECT_EQ(-1, countBookItems("plain text"));
}

}  // namespace
