#include "model/BookDepth.h"

#include <gtest/gtest.h>

namespace {

TEST(BookDepth, LevelsCountFromTheRootAndNothingGoesBelowTheDeepestLevel)
{
    BookmarkItem root;
    BookmarkItem* deepest = &root;
    for (int level = 2; level <= kMaxItemDepth; ++level) deepest = deepest->addGroupChild("", "").get();
    EXPECT_EQ(kMaxItemDepth, itemLevel(*deepest));
    EXPECT_EQ(kMaxItemDepth, subtreeLevels(root));

    EXPECT_FALSE(fitsBelow(*deepest, 1));
    EXPECT_TRUE(fitsBelow(*deepest->parent, 1));
    const std::vector<ItemRef> twoLevels = {BookmarkItem::create(), BookmarkItem::create()};
    twoLevels[1]->addGroupChild("", "");
    EXPECT_EQ(2, subtreeLevels(twoLevels));
    EXPECT_FALSE(fitsBelow(*deepest->parent, subtreeLevels(twoLevels)));
    EXPECT_EQ(0, subtreeLevels(std::vector<ItemRef>()));
}

}  // namespace
