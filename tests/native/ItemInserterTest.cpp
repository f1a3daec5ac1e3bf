#include "model/ItemInserter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ItemRef makeItem(ItemType type, const std::string& title)
{
    ItemRef item = BookmarkItem::create();
    item->assignFields(type, type == ItemType::Url || type == ItemType::GroupUrl ? "http://x/" : "",
                       title, "", "2024/01/02");
    return item;
}

std::string titlesOf(const BookmarkItem& group)
{
    std::string text;
    for (const ItemRef& child : group.children) {
        if (!text.empty()) text += ' ';
        text += child->title;
    }
    return text;
}

class ItemInserterTest : public ::testing::Test {
protected:
    void addChild(ItemType type, const std::string& title)
    {
        group->appendChild(makeItem(type, title));
    }
    // Drops the items as one operation; returns the titles each was placed before ("-" for appended).
    std::vector<std::string> drop(const std::vector<ItemRef>& items)
    {
        std::vector<std::string> before;
        inserter.Start(*group);
        for (const ItemRef& item : items) {
            BookmarkItem* next = inserter.Insert(item);
            EXPECT_EQ(group.get(), item->parent);
            before.push_back(next ? next->title : "-");
        }
        return before;
    }
    void setOptions(int addPosition, int sameItemType, int sameUrlGroup)
    {
        options.AddPosition = addPosition;
        options.SameItemType = sameItemType;
        options.SameUrlGroup = sameUrlGroup;
    }

    AppOptions options;
    ItemInserter inserter{options};
    ItemRef group = makeItem(ItemType::Group, "target");
};

using Titles = std::vector<std::string>;

TEST_F(ItemInserterTest, DefaultsPutUrlsBeforeFirstUrlInDropOrder)
{
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    addChild(ItemType::Url, "C");
    EXPECT_EQ(Titles({"B", "B"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Url, "Y")}));
    EXPECT_EQ("A X Y B C", titlesOf(*group));
}

TEST_F(ItemInserterTest, EndPutsUrlsAfterLastUrl)
{
    setOptions(1, 1, 1);
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    addChild(ItemType::Url, "C");
    EXPECT_EQ(Titles({"-", "-"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Url, "Y")}));
    EXPECT_EQ("A B C X Y", titlesOf(*group));
}

TEST_F(ItemInserterTest, EndPutsUrlRightAfterLastUrlBeforeLaterChildren)
{
    setOptions(1, 1, 1);
    addChild(ItemType::Url, "B");
    addChild(ItemType::Group, "G");
    EXPECT_EQ(Titles({"G", "G"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Url, "Y")}));
    EXPECT_EQ("B X Y G", titlesOf(*group));
}

TEST_F(ItemInserterTest, EachTypeKeepsItsOwnPointWithinOneDrop)
{
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    EXPECT_EQ(Titles({"B", "A", "B", "A"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Group, "H"),
                    makeItem(ItemType::Url, "Y"), makeItem(ItemType::Group, "I")}));
    EXPECT_EQ("H I A X Y B", titlesOf(*group));
}

TEST_F(ItemInserterTest, EndWithTypesMixedAppendsWhenNoChildOfTheTypeFollows)
{
    setOptions(1, 1, 1);
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    addChild(ItemType::Group, "C");
    EXPECT_EQ(Titles({"C", "-", "C", "-"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Group, "H"),
                    makeItem(ItemType::Url, "Y"), makeItem(ItemType::Group, "I")}));
    EXPECT_EQ("A B X Y C H I", titlesOf(*group));
}

TEST_F(ItemInserterTest, WithoutTypeGroupingHeadPutsEverythingOnTopInDropOrder)
{
    setOptions(0, 0, 1);
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    EXPECT_EQ(Titles({"A", "A", "A", "A"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Group, "H"),
                    makeItem(ItemType::Separator, "S"), makeItem(ItemType::GroupUrl, "U")}));
    EXPECT_EQ("X H S U A B", titlesOf(*group));
}

TEST_F(ItemInserterTest, WithoutTypeGroupingEndAppendsEverything)
{
    setOptions(1, 0, 1);
    addChild(ItemType::Url, "B");
    addChild(ItemType::Group, "A");
    EXPECT_EQ(Titles({"-", "-", "-"}),
              drop({makeItem(ItemType::Group, "H"), makeItem(ItemType::Url, "X"),
                    makeItem(ItemType::Separator, "S")}));
    EXPECT_EQ("B A H X S", titlesOf(*group));
}

TEST_F(ItemInserterTest, UrlGroupFollowsUrlsWhenGroupedWithThem)
{
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    EXPECT_EQ(Titles({"B", "B"}),
              drop({makeItem(ItemType::GroupUrl, "U"), makeItem(ItemType::Url, "X")}));
    EXPECT_EQ("A U X B", titlesOf(*group));
}

TEST_F(ItemInserterTest, SeparateUrlGroupWithNoneOfItsKindGoesToHeadOrEnd)
{
    for (int addPosition : {0, 1}) {
        group = makeItem(ItemType::Group, "target");
        setOptions(addPosition, 1, 0);
        addChild(ItemType::Group, "A");
        addChild(ItemType::Url, "B");
        addChild(ItemType::Url, "C");
        drop({makeItem(ItemType::GroupUrl, "U")});
        EXPECT_EQ(addPosition == 0 ? "U A B C" : "A B C U", titlesOf(*group));
    }
}

TEST_F(ItemInserterTest, SeparateUrlGroupIsPlacedByOtherUrlGroupsOnly)
{
    for (int addPosition : {0, 1}) {
        group = makeItem(ItemType::Group, "target");
        setOptions(addPosition, 1, 0);
        addChild(ItemType::Url, "B");
        addChild(ItemType::GroupUrl, "V");
        addChild(ItemType::Url, "C");
        drop({makeItem(ItemType::GroupUrl, "U"), makeItem(ItemType::Url, "X")});
        EXPECT_EQ(addPosition == 0 ? "X B U V C" : "B V U C X", titlesOf(*group));
    }
}

TEST_F(ItemInserterTest, SeparatorDroppedFirstGoesToTopOrEnd)
{
    for (int addPosition : {0, 1}) {
        group = makeItem(ItemType::Group, "target");
        setOptions(addPosition, 1, 1);
        addChild(ItemType::Separator, "P");
        addChild(ItemType::Url, "B");
        addChild(ItemType::Group, "A");
        const Titles before = drop({makeItem(ItemType::Separator, "S")});
        EXPECT_EQ(addPosition == 0 ? Titles({"P"}) : Titles({"-"}), before);
        EXPECT_EQ(addPosition == 0 ? "S P B A" : "P B A S", titlesOf(*group));
    }
}

TEST_F(ItemInserterTest, SeparatorDroppedAfterUrlFollowsThatUrl)
{
    for (int addPosition : {0, 1}) {
        group = makeItem(ItemType::Group, "target");
        setOptions(addPosition, 1, 1);
        addChild(ItemType::Group, "A");
        addChild(ItemType::Url, "B");
        addChild(ItemType::Group, "C");
        drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Separator, "S"),
              makeItem(ItemType::Url, "Y")});
        EXPECT_EQ(addPosition == 0 ? "A X S Y B C" : "A B X S Y C", titlesOf(*group));
    }
}

TEST_F(ItemInserterTest, EmptyGroupAppendsEveryItemWhateverTheOptions)
{
    for (int addPosition : {0, 1}) {
        for (int sameItemType : {0, 1}) {
            group = makeItem(ItemType::Group, "target");
            setOptions(addPosition, sameItemType, 1);
            EXPECT_EQ(Titles({"-", "-", "-"}),
                      drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Separator, "S"),
                            makeItem(ItemType::Url, "Y")}));
            EXPECT_EQ("X S Y", titlesOf(*group));
        }
    }
}

TEST_F(ItemInserterTest, TypeFirstSeenAfterEmptyGroupFilledTakesTheHead)
{
    // The point of a type is fixed when its first item arrives, by the children present then.
    EXPECT_EQ(Titles({"-", "X"}),
              drop({makeItem(ItemType::Url, "X"), makeItem(ItemType::Group, "H")}));
    EXPECT_EQ("H X", titlesOf(*group));
}

TEST_F(ItemInserterTest, EachDropStartsAfreshAndReadsTheCurrentOptions)
{
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    drop({makeItem(ItemType::Url, "X")});
    drop({makeItem(ItemType::Url, "Y")});
    EXPECT_EQ("A Y X B", titlesOf(*group));

    options.AddPosition = 1;
    drop({makeItem(ItemType::Url, "Z")});
    EXPECT_EQ("A Y X B Z", titlesOf(*group));
}

TEST_F(ItemInserterTest, TypeValueOutOfRangeIsPlacedLikeAnyOtherType)
{
    // Item records carry the type unchecked; such items must still land safely.
    addChild(ItemType::Group, "A");
    addChild(ItemType::Url, "B");
    const auto odd = static_cast<ItemType>(0xFFFFFFFFu);
    EXPECT_EQ(Titles({"A", "A", "B"}),
              drop({makeItem(odd, "Q"), makeItem(odd, "R"), makeItem(ItemType::Url, "X")}));
    EXPECT_EQ("Q R A X B", titlesOf(*group));

    options.AddPosition = 1;
    drop({makeItem(odd, "T")});
    EXPECT_EQ("Q R T A X B", titlesOf(*group));
}

TEST_F(ItemInserterTest, InsertBeforeStartIsRefused)
{
    ItemInserter fresh(options);
    EXPECT_THROW(fresh.Insert(makeItem(ItemType::Url, "X")), std::logic_error);
}

}  // namespace
