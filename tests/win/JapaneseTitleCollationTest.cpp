// The system's Japanese collation as the sort by title uses it.
#include "platform/JapaneseTitleCollation.h"

#include <gtest/gtest.h>

#include <iterator>

TEST(JapaneseTitleCollationTest, KanaReadInTheSyllabarysOrderAndKanjiFollowInTheOrderOfTheirReadings)
{
    const JapaneseTitleCollation collation;
    const char* const inOrder[] = {"abc", "ＡＢＤ", "あい", "カキ", "きく", "ん", "亜", "阿", "一", "二"};
    for (size_t i = 0; i + 1 < std::size(inOrder); ++i)
        EXPECT_LT(collation.sortKey(inOrder[i]), collation.sortKey(inOrder[i + 1])) << i;
    EXPECT_EQ(collation.sortKey("ABC"), collation.sortKey("abc"));
    EXPECT_EQ(collation.sortKey("ｱｲ"), collation.sortKey("あい"));
}
