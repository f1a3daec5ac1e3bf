// Finding items in a book: the find matcher with its group paths and its
// index, and the duplicate URLs. Literals are code page 932, as book texts are.

#include "model/DuplicateFinder.h"
#include "model/FindIndex.h"
#include "model/FindMatcher.h"
#include "model/GroupPath.h"
#include "model/UrlKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// マイブックマーク > 開発 holds a link and a separator; 表示 a link at the top.
class BookSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        BookmarkItem& top = *root.addGroupChild("マイブックマーク", "");
        BookmarkItem& work = *top.addGroupChild("開発", "");
        work.addUrlChild("Ｒａｖｌｏ ２００４ 表", "http://Example.JP/a", "メモ note", "");
        work.appendChild(BookmarkItem::create());
        work.children.back()->makeSeparator("");
        root.addUrlChild("表示", "HTTP://example.jp:80/a#", "", "");
    }

    std::vector<std::string> found(const std::string& query, unsigned fields = FindMatcher::AllFields)
    {
        std::vector<std::string> titles;
        for (const BookmarkItem* item : FindMatcher(query, fields).findIn(root))
            titles.push_back(GroupPath::of(*item) + "|" + item->title);
        return titles;
    }

    BookmarkItem root;
};

using Titles = std::vector<std::string>;

TEST_F(BookSearch, EveryWordMustOccurInOneOfTheChosenFields)
{
    const Titles link = {"マイブックマーク > 開発|Ｒａｖｌｏ ２００４ 表"};
    EXPECT_EQ(link, found("ravlo NOTE"));
    EXPECT_EQ(link, found("ＲＡＶＬＯ　2004"));  // a full-width blank separates words too
    EXPECT_EQ(Titles(), found("ravlo missing"));
    EXPECT_EQ(Titles(), found("note", FindMatcher::Title | FindMatcher::Url));
    EXPECT_EQ(Titles({"マイブックマーク|開発"}), found("開発", FindMatcher::Title));
    EXPECT_EQ(Titles({"マイブックマーク > 開発|Ｒａｖｌｏ ２００４ 表", "|表示"}), found("EXAMPLE.JP /A"));
    EXPECT_EQ(Titles(), found(" 　 "));
}

TEST_F(BookSearch, AWordNeverMatchesTheSecondByteOfACharacter)
{
    // 表 is 95 5C and 示 8E A6: a backslash or "\x5C" alone must not find them.
    EXPECT_EQ(Titles(), found("\\"));
    // ｖ (82 96) and ｌ (82 8C) fold to v and l, so the folded title holds no 0x82 at all.
    EXPECT_EQ(std::string("ravlo 2004 \x95\x5C"), FindMatcher::fold("Ｒａｖｌｏ ２００４ 表"));
    EXPECT_EQ(std::string("\x83\x41\x83\x5A"), FindMatcher::fold("\x83\x41\x83\x5A"));  // アセ: trail bytes A and Z stay
}

TEST_F(BookSearch, TheIndexFindsWhatTheMatcherFinds)
{
    const FindIndex index(root);
    for (const char* query : {"ravlo NOTE", "EXAMPLE.JP /A", "表", "メモ"}) {
        for (unsigned fields : {unsigned{FindMatcher::AllFields}, unsigned{FindMatcher::Title}}) {
            const FindMatcher matcher(query, fields);
            EXPECT_EQ(matcher.findIn(root), index.find(matcher)) << query << " " << fields;
        }
    }
}

TEST_F(BookSearch, DuplicatesAreFoundAcrossSpellingsOfTheSameUrl)
{
    root.addUrlChild("other", "http://example.jp/b", "", "");
    const std::vector<DuplicateUrl> duplicates = DuplicateFinder::find(root);
    ASSERT_EQ(1u, duplicates.size());
    EXPECT_EQ("http://example.jp/a", duplicates[0].key);
    ASSERT_EQ(2u, duplicates[0].items.size());
    EXPECT_EQ("表示", duplicates[0].items[1]->title);
    root.children.removeAll();
    EXPECT_TRUE(DuplicateFinder::find(root).empty());
}

TEST(UrlKey, IgnoresOnlyWhatDoesNotChangeTheAddress)
{
    EXPECT_EQ("http://example.jp/", UrlKey::of("HTTP://EXAMPLE.jp"));
    EXPECT_EQ("https://example.jp/?q=A", UrlKey::of("https://example.jp:443?q=A#"));
    EXPECT_EQ("http://User@[::1]:8080/Path", UrlKey::of("http://User@[::1]:8080/Path"));
    EXPECT_EQ("http://example.jp/", UrlKey::of("http://example.jp:/"));
    EXPECT_EQ("ftp://example.jp:80/", UrlKey::of("ftp://example.jp:80"));
    EXPECT_EQ("http://example.jp/#top", UrlKey::of("http://example.jp/#top"));
    EXPECT_EQ("mailto:Someone@Example.jp", UrlKey::of("MAILTO:Someone@Example.jp"));
    EXPECT_EQ("not a url", UrlKey::of("not a url#"));
    // The second byte of ア (83 41) is an "A" and stays one.
    EXPECT_EQ("http://\x83\x41.jp/", UrlKey::of("http://\x83\x41.JP"));
}

}  // namespace
