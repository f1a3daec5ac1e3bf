#include "model/BookDepth.h"

#include <gtest/gtest.h>

TEST(BookDepth, LevelsCountFromTheRootAndNothingGoesBelowTheDeepest)
{
    BookmarkItem root;
    BookmarkItem* deepest = &root;
    for (int level = 2; level <= kMaxItemDepth; ++level) deepest = deepest->addGroupChild("", "").get();
    EXPECT_EQ(kMaxItemDepth, itemLevel(*deepest));
    EXPECT_EQ(kMaxItemDepth, subtreeLevels(root));
    EXPECT_FALSE(fitsBelow(*deepest, 1));
    const BookmarkItem& third = *deepest->parent->parent;
    EXPECT_TRUE(fitsBelow(third, 2));
    EXPECT_FALSE(fitsBelow(third, subtreeLevels({BookmarkItem::create(), root.children.front()})));
}
