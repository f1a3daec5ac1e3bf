// Reading what browsers and the shell drop: the first link of an HTML
// fragment, the URL inside an Internet Shortcut, titles from file names and
// the names of a file group descriptor.

#include "model/ItemRecord.h"
#include "views/FileGroupDescriptor.h"
#include "views/HtmlLinkScanner.h"
#include "views/InternetShortcut.h"

#include "framework/ArchiveException.h"
#include "framework/MemoryFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::optional<HtmlLink> link(const std::string& html) { return HtmlLinkScanner::firstLink(html); }

TEST(HtmlLinkScanner, TakesTheFirstLinkWithItsTextWithoutTags)
{
    const auto found = link("Version:0.9\r\n<html><body><!--StartFragment--><p>x</p>"
                            "<A class=\"c\" HREF=\"http://example.jp/?a=1&amp;b\">表示 <b>太字</b> &amp; 残り</a>"
                            "<a href=\"http://second/\">二</a>");
    ASSERT_TRUE(found);
    EXPECT_EQ("http://example.jp/?a=1&b", found->url);
    EXPECT_EQ("表示 太字 &amp; 残り", found->title);
}

TEST(HtmlLinkScanner, TheUrlIsTheHrefWithItsCharacterReferencesDecoded)
{
    const auto found = link("<a href=\"?&amp;&lt;&gt;&quot;&#38;amp;&#x4e00;&#X3C;&#12316;|&amp|&AMP;|&bogus;|&#;"
                            "|&#x;|&#0;|&#xD800;|&#1114112;|&#99999999999999999999;|&#12a;\">t</a>");
    ASSERT_TRUE(found);
    EXPECT_EQ("?&<>\"&amp;一<～|&amp|&AMP;|&bogus;|&#;|&#x;|&#0;|&#xD800;|&#1114112;|&#99999999999999999999;|&#12a;",
              found->url);
}

TEST(HtmlLinkScanner, TheFirstLinkDecidesEvenWhenItIsBroken)
{
    // An opening tag inside the text is only a tag to skip.
    const auto nested = link("<a href=\"http://a/\">x <a href=\"http://b/\">b</a>");
    ASSERT_TRUE(nested);
    EXPECT_EQ("http://a/", nested->url);
    EXPECT_EQ("x b", nested->title);
    EXPECT_FALSE(link("<a name=\"x\">no href</a><a href=\"http://b/\">b</a>"));
    EXPECT_FALSE(link("<a href=\"http://a/\">never closed"));
    EXPECT_FALSE(link("text only"));
}

TEST(HtmlLinkScanner, TagsOutsideTheGrammarEndTheScan)
{
    // A document type has a bare word where an attribute should be.
    EXPECT_FALSE(link("<!DOCTYPE html><a href=\"http://a/\">a</a>"));
    // Unquoted values and unterminated comments do not fit either.
    EXPECT_FALSE(link("<a href=http://a/>a</a>"));
    EXPECT_FALSE(link("<!-- open <a href=\"http://a/\">a</a>"));
    EXPECT_FALSE(link("<p class=\"x>text"));
    // A comment, a closing tag with blanks and a repeated attribute are fine.
    const auto found = link("<!-- c --></p ><a href=\"http://old/\" href=\"http://new/\">t</a >");
    ASSERT_TRUE(found);
    EXPECT_EQ("http://new/", found->url);
}

TEST(HtmlLinkScanner, TitleEndsAtTheFirstControlCharacter)
{
    const auto found = link("<a href=\"u\">一行目\r\n二行目</a>");
    ASSERT_TRUE(found);
    EXPECT_EQ("一行目", found->title);
}

TEST(HtmlLinkScanner, DoubleByteCharactersAreSteppedOverAsUnits)
{
    // 0x3C or 0x22 never stand inside a 932 character, but 0x5C does (表);
    // the trail byte must not end a quoted value or the name.
    const auto found = link("<a href=\"http://例/表\" title=\"表\">ソ表</a>");
    ASSERT_TRUE(found);
    EXPECT_EQ("http://例/表", found->url);
    EXPECT_EQ("ソ表", found->title);
}

std::optional<std::string> urlIn(const std::string& text)
{
    return InternetShortcut::urlFromText(text.data(), text.size());
}

TEST(InternetShortcut, TheUrlLineAfterTheSectionHeaderCounts)
{
    EXPECT_EQ("http://after/ ", urlIn("URL=http://before/\r\n[internetshortcut]\r\nIconIndex=0\r\nurl=http://after/ \r\n"));
    EXPECT_EQ("http://lf/", urlIn("[InternetShortcut]\nURL=http://lf/\nX=1"));
    EXPECT_FALSE(urlIn("[InternetShortcut]\r\n[Other]\r\nURL=http://x/\r\n"));
    EXPECT_FALSE(urlIn("[InternetShortcut]\r\nIcon=1\r\n"));
    EXPECT_FALSE(urlIn(""));
    // A NUL ends the text even inside the block.
    EXPECT_FALSE(urlIn(std::string("[InternetShortcut]\r\n\0URL=http://x/\r\n", 35)));
    // A lone CR does not end a line.
    EXPECT_EQ("http://a/\rB", urlIn("[InternetShortcut]\r\nURL=http://a/\rB\r\n"));
}

TEST(InternetShortcut, TitlesLoseTheExtensionAndTheBrowsersPrefix)
{
    EXPECT_EQ("ページ", InternetShortcut::titleFromFileName("ショートカット ページ.url", true));
    EXPECT_EQ("ショートカット ページ", InternetShortcut::titleFromFileName("ショートカット ページ.URL", false));
    EXPECT_EQ("page.htm", InternetShortcut::titleFromFileName("page.htm", true));
    EXPECT_EQ("a", InternetShortcut::titleFromFileName("a.uRl", false));
    EXPECT_EQ("", InternetShortcut::titleFromFileName(".url", false));
    EXPECT_TRUE(InternetShortcut::hasUrlExtension("表.URL"));
    EXPECT_FALSE(InternetShortcut::hasUrlExtension("URL"));
    // Four characters, not bytes: the last two here are double-byte.
    EXPECT_FALSE(InternetShortcut::hasUrlExtension(".Uル"));
}

std::vector<uint8_t> descriptorBlock(uint32_t count, const std::vector<std::string>& names)
{
    std::vector<uint8_t> block(FileGroupDescriptor::CountSize + names.size() * FileGroupDescriptor::DescriptorSize);
    std::memcpy(block.data(), &count, 4);
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t at = FileGroupDescriptor::CountSize + i * FileGroupDescriptor::DescriptorSize +
                          FileGroupDescriptor::NameOffset;
        std::memcpy(block.data() + at, names[i].data(), std::min(names[i].size(), FileGroupDescriptor::NameSize));
    }
    return block;
}

TEST(FileGroupDescriptor, ReadsAsManyNamesAsTheCountSaysAndTheBlockHolds)
{
    const auto two = descriptorBlock(2, {"一.url", "two.htm"});
    EXPECT_EQ((std::vector<std::string>{"一.url", "two.htm"}), FileGroupDescriptor::fileNames(two.data(), two.size()));
    const auto claimsMore = descriptorBlock(1000000, {"only"});
    EXPECT_EQ((std::vector<std::string>{"only"}), FileGroupDescriptor::fileNames(claimsMore.data(), claimsMore.size()));
    // A name without its NUL stops at the field's end.
    const auto full = descriptorBlock(1, {std::string(FileGroupDescriptor::NameSize, 'x')});
    EXPECT_EQ(FileGroupDescriptor::NameSize, FileGroupDescriptor::fileNames(full.data(), full.size())[0].size());
    EXPECT_TRUE(FileGroupDescriptor::fileNames(two.data(), 3).empty());
    EXPECT_TRUE(FileGroupDescriptor::fileNames(two.data(), 200).empty());
}

TEST(DraggedItemRecords, ReadBackInOrderAndFailOnShortData)
{
    MemoryFile file;
    {
        Archive archive(file, Archive::Mode::Store);
        for (const char* title : {"一", "二"}) {
            const ItemRef item = BookmarkItem::create();
            item->makeUrl(title, "http://x/", "", "2026/12/08");
            item->setMark(2, true);
            writeItemRecord(archive, *item, WriteNone);
        }
        archive.close();
    }
    const std::vector<uint8_t> bytes = file.detach();
    const std::vector<ItemRef> items = readItemRecords(bytes.data(), bytes.size(), 2);
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ("二", items[1]->title);
    EXPECT_TRUE(items[1]->hasMark(2));
    EXPECT_TRUE(readItemRecords(bytes.data(), bytes.size(), -5).empty());
    EXPECT_THROW(readItemRecords(bytes.data(), bytes.size(), 1000000), ArchiveException);
}

}  // namespace
