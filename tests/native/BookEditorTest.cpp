// The editing layer: what each change does to the tree and which hints it
// leaves. Where dropped items land is ItemInserterTest's.
#include "app/AppOptions.h"
#include "model/BookChanges.h"
#include "model/BookDepth.h"
#include "model/BookEditor.h"
#include "model/DropBand.h"
#include "model/TitleCollation.h"
#include "views/SingleLineText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Hints = std::vector<std::string>;

// Each hint as "kind group:titles before:title A,B"; "?" marks an item already gone.
struct RecordedChanges : BookChanges {
    void announceChange(UpdateHintKind kind, UpdateHint& hint) override
    {
        std::string text = std::to_string(kind) + " " + hint.group->title + ":";
        for (const BookmarkItem* item : hint.items) text += item->title + (item->parent == hint.group ? "" : "?");
        if (hint.before != nullptr) text += " before:" + hint.before->title;
        if (hint.positionA >= 0) text += " " + std::to_string(hint.positionA) + "," + std::to_string(hint.positionB);
        hints.push_back(text + (hint.select ? " select" : ""));
    }
    void markModified() override { ++modified; }
    void refuseTooDeep() override { hints.push_back("too deep"); }
    Hints hints;
    int modified = 0;
};

// Reads one-letter titles backwards, so a sort by title is seen to follow it.
struct BackwardCollation : TitleCollation {
    std::string sortKey(const std::string& title) const override { return {static_cast<char>(255 - title.at(0))}; }
};

// Lower case a link, upper case a group, "-" a separator.
ItemRef itemFor(char letter)
{
    const ItemRef item = BookmarkItem::create();
    item->makeUrl(std::string(1, letter), "", "", "");
    if (letter == '-') item->type = ItemType::Separator;
    if (letter >= 'A' && letter <= 'Z') item->type = ItemType::Group;
    return item;
}

ItemRef groupOf(const std::string& children, char title = 'g')
{
    const ItemRef group = itemFor(title);
    for (const char letter : children) group->appendChild(itemFor(letter));
    return group;
}

std::string titles(const BookmarkItem& group)
{
    std::string text;
    for (const ItemRef& child : group.children) text += child->title;
    return text;
}

class BookEditorTest : public ::testing::Test {
protected:
    BookmarkItem* child(long index) { return group->children.findIndex(index)->get(); }

    RecordedChanges changes;
    BookEditor editor{changes};
    ItemRef group = groupOf("abcde");
};

TEST_F(BookEditorTest, InsertedItemsStandBeforeTheChildOrAtTheEndInOneHintOrDroppedOneEach)
{
    editor.insertItems(*group, child(1), {itemFor('x'), itemFor('y')});
    editor.appendItems(*group, {itemFor('z')}, true);
    editor.insertEach(*group, child(0), {itemFor('p'), itemFor('q')});
    EXPECT_EQ("pqaxybcdez", titles(*group));
    EXPECT_EQ(Hints({"2 g:xy before:b", "2 g:z select", "2 g:p before:a", "2 g:q before:a"}), changes.hints);
    EXPECT_EQ(3, changes.modified);
}

TEST_F(BookEditorTest, PlacedItemsAreAnnouncedOneByOneWithTheChildTheyPrecede)
{
    group = groupOf("Ab");
    editor.placeItems(*group, {itemFor('x'), itemFor('H')}, AppOptions());
    editor.placeItems(*group, {}, AppOptions());
    EXPECT_EQ("HAxb", titles(*group));
    EXPECT_EQ(Hints({"2 g:x before:b", "2 g:H before:A"}), changes.hints);
    EXPECT_EQ(1, changes.modified);
}

TEST_F(BookEditorTest, ItemsThatWouldStandDeeperThanABookHoldsAreRefusedAndNothingChanges)
{
    BookmarkItem* deepest = group.get();
    for (int level = 2; level < kMaxItemDepth; ++level) deepest = deepest->addGroupChild("", "").get();
    EXPECT_FALSE(editor.appendItems(*deepest, {groupOf("x")}));
    EXPECT_FALSE(editor.placeItems(*deepest, {groupOf("x")}, AppOptions()));
    EXPECT_TRUE(editor.appendItems(*deepest, {itemFor('y')}));
    EXPECT_EQ(Hints({"too deep", "too deep", "2 :y"}), changes.hints);
    EXPECT_EQ(1, changes.modified);
}

TEST_F(BookEditorTest, RemovedItemsAreAnnouncedWhileLinkedWithOneHintPerGroupThenUnlinked)
{
    const ItemRef other = groupOf("xY", 'h');
    const ItemRef kept = other->children.back();
    BookmarkItem* inside = kept->addUrlChild("z", "", "", "").get();
    editor.removeFromTheirGroups({inside, child(4), kept.get(), child(1), other->children.front().get()});
    editor.removeItems(*group, {});  // the list's Delete without rows still marks the book
    EXPECT_EQ(Hints({"4 g:be", "4 h:xY"}), changes.hints);
    EXPECT_EQ("acd", titles(*group));
    EXPECT_TRUE(other->children.empty());
    EXPECT_EQ(nullptr, kept->parent);
    EXPECT_EQ(3, changes.modified);
}

TEST_F(BookEditorTest, RowsMoveFromTheFarEndOnAsABlockAndNotAtAllWhenOneIsAtTheEdge)
{
    EXPECT_TRUE(editor.moveDown(*group, {3, 1}));
    EXPECT_EQ("acbed", titles(*group));
    EXPECT_TRUE(editor.moveUp(*group, {4, 3}));
    EXPECT_FALSE(editor.moveDown(*group, {1, 4}));
    EXPECT_FALSE(editor.moveUp(*group, {0, 2}));
    EXPECT_EQ("acedb", titles(*group));
    EXPECT_EQ(Hints({"5 g:ed 3,4", "5 g:cb 1,2", "5 g:be 3,2", "5 g:bd 4,3"}), changes.hints);
    EXPECT_EQ(2, changes.modified);
}

TEST_F(BookEditorTest, SortingPutsGroupsFirstSortsEachRunBetweenSeparatorsAndKeepsTies)
{
    const ItemRef sections = groupOf("cBa-CbA");
    editor.sortGroup(*sections, SortKey::Title, BackwardCollation());
    EXPECT_EQ("Bca-CAb", titles(*sections));
    EXPECT_EQ(Hints({"6 g:"}), changes.hints);
    EXPECT_EQ(1, changes.modified);
    // URLs and dates sort by their bytes; equal keys keep their order.
    for (long i = 0; i < 4; ++i) child(i)->url = i % 2 == 0 ? "http://b/" : "http://a/";
    for (long i = 0; i < 4; ++i) child(i)->date = i < 2 ? "2024/01/02" : "2023/12/31";
    sortChildren(*group, SortKey::Url, BackwardCollation());
    EXPECT_EQ("ebdac", titles(*group));
    sortChildren(*group, SortKey::Date, BackwardCollation());
    EXPECT_EQ("edcba", titles(*group));
}

TEST(DropBandTest, TheUpperAndLowerSixthsLieBesideTheRow)
{
    EXPECT_EQ(DropBand::Before, dropBandAt(10, 28, 12));
    EXPECT_EQ(DropBand::Into, dropBandAt(10, 28, 13));
    EXPECT_EQ(DropBand::Into, dropBandAt(10, 28, 24));
    EXPECT_EQ(DropBand::After, dropBandAt(10, 28, 25));
}

TEST(SingleLineTextTest, EachLineBreakBecomesOneSpace)
{
    EXPECT_EQ("a b c d  \x95\x5c", singleLineText("a\r\nb\rc\nd\n\n\x95\x5c"));
}

}  // namespace
