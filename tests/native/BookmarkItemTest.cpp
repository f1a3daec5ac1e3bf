#include "model/BookmarkItem.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> titlesOf(const ItemList& list)
{
    std::vector<std::string> titles;
    for (const ItemRef& item : list) titles.push_back(item->title);
    return titles;
}

ItemRef titled(const std::string& title)
{
    ItemRef item = BookmarkItem::create();
    item->title = title;
    return item;
}

TEST(BookmarkItem, NewItemIsAnEmptyDetachedGroup)
{
    const BookmarkItem item;
    EXPECT_EQ(item.type, ItemType::Group);
    EXPECT_TRUE(item.title.empty() && item.url.empty() && item.message.empty() && item.date.empty());
    EXPECT_TRUE(item.marks.empty());
    EXPECT_EQ(item.treeHandle, 0u);
    EXPECT_EQ(item.parent, nullptr);
    EXPECT_EQ(item.dragging, 0u);
    EXPECT_TRUE(item.children.empty());
}

TEST(BookmarkItem, PredicatesFollowTheType)
{
    struct Case {
        ItemType type;
        bool group, url, separator;
    };
    for (const Case& c : {Case{ItemType::Group, true, false, false}, Case{ItemType::Url, false, true, false},
                          Case{ItemType::GroupUrl, true, true, false}, Case{ItemType::Separator, false, false, true}}) {
        BookmarkItem item;
        item.type = c.type;
        EXPECT_EQ(item.isGroup(), c.group);
        EXPECT_EQ(item.hasUrl(), c.url);
        EXPECT_EQ(item.isSeparator(), c.separator);
    }
}

TEST(BookmarkItem, SettersTakeTitleBeforeUrlAndReplaceEveryField)
{
    BookmarkItem item;
    item.makeUrl("title", "http://u/", "message", "2001/02/03");
    EXPECT_EQ(item.type, ItemType::Url);
    EXPECT_EQ(item.title, "title");
    EXPECT_EQ(item.url, "http://u/");
    EXPECT_EQ(item.message, "message");
    EXPECT_EQ(item.date, "2001/02/03");

    item.makeGroup("group", "d");
    EXPECT_EQ(item.type, ItemType::Group);
    EXPECT_EQ(item.title, "group");
    EXPECT_EQ(item.url, "");
    EXPECT_EQ(item.message, "");

    item.makeGroupUrl("gu", "http://g/", "m", "d2");
    EXPECT_EQ(item.type, ItemType::GroupUrl);
    EXPECT_EQ(item.url, "http://g/");

    item.makeSeparator("d3");
    EXPECT_EQ(item.type, ItemType::Separator);
    EXPECT_TRUE(item.title.empty() && item.url.empty() && item.message.empty());
    EXPECT_EQ(item.date, "d3");
}

TEST(BookmarkItem, EverySetterClearsTheMarks)
{
    const std::vector<void (*)(BookmarkItem&)> setters = {
        [](BookmarkItem& i) { i.assignFields(ItemType::Url, "u", "t", "m", "d"); },
        [](BookmarkItem& i) { i.makeUrl("t", "u", "m", "d"); },
        [](BookmarkItem& i) { i.makeGroupUrl("t", "u", "m", "d"); },
        [](BookmarkItem& i) { i.makeGroup("t", "d"); },
        [](BookmarkItem& i) { i.makeSeparator("d"); },
    };
    for (const auto& set : setters) {
        BookmarkItem item;
        item.marks = "11111";
        set(item);
        EXPECT_EQ(item.marks, "");
    }
}

TEST(BookmarkItem, SetMarkPadsWithZerosAndHasMarkReadsAnyOtherCharacterAsSet)
{
    BookmarkItem item;
    item.setMark(3, true);
    EXPECT_EQ(item.marks, "0001");
    EXPECT_TRUE(item.hasMark(3));
    EXPECT_FALSE(item.hasMark(4));
    EXPECT_FALSE(item.hasMark(0));
    item.setMark(1, false);
    EXPECT_EQ(item.marks, "0001");
    item.setMark(3, false);
    EXPECT_EQ(item.marks, "0000");
    item.setMark(5, false);
    EXPECT_EQ(item.marks, "000000");

    item.marks = "0x";
    EXPECT_FALSE(item.hasMark(0));
    EXPECT_TRUE(item.hasMark(1));
    EXPECT_FALSE(item.hasMark(2));
}

TEST(BookmarkItem, AddedChildrenAreAppendedWithTheirParent)
{
    BookmarkItem group;
    ItemRef url = group.addUrlChild("t", "http://u/", "m", "d");
    ItemRef sub = group.addGroupChild("g", "d2");
    EXPECT_EQ(url->type, ItemType::Url);
    EXPECT_EQ(url->url, "http://u/");
    EXPECT_EQ(sub->type, ItemType::Group);
    EXPECT_EQ(url->parent, &group);
    EXPECT_EQ(sub->parent, &group);
    EXPECT_EQ(titlesOf(group.children), (std::vector<std::string>{"t", "g"}));
}

TEST(ItemList, InsertBeforeNoPositionMeansTheHead)
{
    ItemList list;
    list.addTail(titled("b"));
    list.insertBefore(list.end(), titled("a"));
    list.insertBefore(list.findIndex(1), titled("a2"));
    list.addHead(titled("first"));
    list.addTail(titled("last"));
    EXPECT_EQ(titlesOf(list), (std::vector<std::string>{"first", "a", "a2", "b", "last"}));
}

TEST(ItemList, FindIndexOutOfRangeIsNoPosition)
{
    ItemList list;
    list.addTail(titled("a"));
    list.addTail(titled("b"));
    EXPECT_EQ((*list.findIndex(1))->title, "b");
    EXPECT_EQ(list.findIndex(-1), list.end());
    EXPECT_EQ(list.findIndex(2), list.end());
    EXPECT_EQ(list.indexOf(list.back().get()), 1);
    EXPECT_EQ(list.indexOf(nullptr), -1);
}

TEST(ItemList, RemoveAtReleasesTheReferenceAndReturnsTheNextPosition)
{
    ItemList list;
    list.addTail(titled("a"));
    list.addTail(titled("b"));
    const std::weak_ptr<BookmarkItem> first = list.front();
    const auto next = list.removeAt(list.begin());
    EXPECT_TRUE(first.expired());
    EXPECT_EQ((*next)->title, "b");
    list.removeAll();
    EXPECT_TRUE(list.empty());
}

TEST(ItemList, RemovesManyInOnePassAndReleasesThem)
{
    ItemList list;
    for (const char* title : {"a", "b", "c", "d", "e"}) list.addTail(titled(title));
    const std::weak_ptr<BookmarkItem> second = *list.findIndex(1);
    list.removeAt(std::vector<size_t>{1, 3, 9});
    EXPECT_EQ(titlesOf(list), (std::vector<std::string>{"a", "c", "e"}));
    EXPECT_TRUE(second.expired());
}

TEST(ItemList, ExchangesAndReadsByIndex)
{
    ItemList list;
    for (const char* title : {"a", "b", "c"}) list.addTail(titled(title));
    EXPECT_TRUE(list.exchange(0, 2));
    EXPECT_FALSE(list.exchange(0, 3));
    EXPECT_EQ(titlesOf(list), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(list.itemAt(2)->title, "a");
    EXPECT_EQ(list.itemAt(3), nullptr);
    EXPECT_EQ(list.itemAt(-1), nullptr);
}

TEST(ItemList, IteratesBothWays)
{
    ItemList list;
    for (const char* title : {"a", "b", "c"}) list.addTail(titled(title));
    std::string backwards;
    for (auto it = list.rbegin(); it != list.rend(); ++it) backwards += (*it)->title;
    EXPECT_EQ(backwards, "cba");
}

// root
//  +- top (no marks)
//  |   +- mid
//  |   |   +- deep
//  |   |       +- hit (mark 2)
//  |   |       +- sibling (no marks)
//  |   +- other (mark 0)
//  +- lonelyTop
//      +- unmarked
class MarkFilterPass : public testing::Test {
protected:
    void SetUp() override
    {
        top = root->addGroupChild("top", "");
        mid = top->addGroupChild("mid", "");
        deep = mid->addGroupChild("deep", "");
        hit = deep->addUrlChild("hit", "", "", "");
        hit->setMark(2, true);
        sibling = deep->addUrlChild("sibling", "", "", "");
        other = top->addUrlChild("other", "", "", "");
        other->setMark(0, true);
        lonelyTop = root->addGroupChild("lonelyTop", "");
        unmarked = lonelyTop->addUrlChild("unmarked", "", "", "");
    }

    static MarkFilter onlyMarks(std::initializer_list<int> marks)
    {
        MarkFilter filter;
        filter.all = false;
        for (int mark : marks) filter.mark[mark] = true;
        return filter;
    }

    ItemRef root = BookmarkItem::create();
    ItemRef top, mid, deep, hit, sibling, other, lonelyTop, unmarked;
};

TEST_F(MarkFilterPass, AllFlagMatchesEverything)
{
    root->applyFilter(MarkFilter());
    for (const ItemRef& item : {root, top, mid, deep, hit, sibling, other, lonelyTop, unmarked})
        EXPECT_EQ(item->matched, 1u) << item->title;
    EXPECT_EQ(deep->matchedChildCount, 2);
    EXPECT_EQ(root->matchedChildCount, 2);
}

TEST_F(MarkFilterPass, NoMarkSelectedKeepsOnlyRootAndTopLevel)
{
    root->applyFilter(onlyMarks({}));
    EXPECT_TRUE(root->matched && top->matched && lonelyTop->matched);
    for (const ItemRef& item : {mid, deep, hit, sibling, other, unmarked}) EXPECT_FALSE(item->isIncluded()) << item->title;
    EXPECT_EQ(root->matchedChildCount, 2);
    EXPECT_EQ(top->matchedChildCount, 0);
    EXPECT_TRUE(lonelyTop->isIncluded());
}

TEST_F(MarkFilterPass, MatchingDescendantKeepsItsAncestors)
{
    root->applyFilter(onlyMarks({2}));
    EXPECT_EQ(hit->matched, 1u);
    EXPECT_FALSE(sibling->isIncluded());
    EXPECT_FALSE(other->isIncluded());
    for (const ItemRef& ancestor : {deep, mid}) {
        EXPECT_EQ(ancestor->matched, 0u);
        EXPECT_EQ(ancestor->matchedChildCount, 1);
        EXPECT_TRUE(ancestor->isIncluded());
    }
    EXPECT_EQ(top->matchedChildCount, 1);
    EXPECT_EQ(lonelyTop->matchedChildCount, 0);
}

TEST_F(MarkFilterPass, RepeatedPassStartsAfresh)
{
    root->applyFilter(onlyMarks({0, 2}));
    EXPECT_EQ(top->matchedChildCount, 2);
    root->applyFilter(onlyMarks({0}));
    EXPECT_EQ(top->matchedChildCount, 1);
    EXPECT_FALSE(mid->isIncluded());
}

TEST_F(MarkFilterPass, DraggingFlagCoversTheSubtreeOnly)
{
    top->setDragging(1);
    for (const ItemRef& item : {top, mid, deep, hit, sibling, other}) EXPECT_EQ(item->dragging, 1u);
    EXPECT_EQ(root->dragging, 0u);
    EXPECT_EQ(lonelyTop->dragging, 0u);
    top->setDragging(0);
    EXPECT_EQ(hit->dragging, 0u);
}

TEST(ItemOwnership, ReleasingTheRootFreesTheTreeButNotItemsHeldElsewhere)
{
    ItemRef root = BookmarkItem::create();
    ItemRef group = root->addGroupChild("g", "");
    std::weak_ptr<BookmarkItem> url = group->addUrlChild("u", "", "", "");
    ItemRef held = root->addGroupChild("held", "");
    std::weak_ptr<BookmarkItem> heldChild = held->addUrlChild("hc", "", "", "");
    std::weak_ptr<BookmarkItem> watchedRoot = root;
    std::weak_ptr<BookmarkItem> watchedGroup = group;
    group.reset();
    root.reset();
    EXPECT_TRUE(watchedRoot.expired());
    EXPECT_TRUE(watchedGroup.expired());
    EXPECT_TRUE(url.expired());
    EXPECT_FALSE(heldChild.expired());
    ASSERT_EQ(held->children.size(), 1u);
    EXPECT_EQ(held->children.front()->title, "hc");
}

}  // namespace
