// The portable readers behind the importers: lines of a file, the links of
// a Netscape bookmark file and of an Opera hotlist, and the path rules.

#include "import/HotlistScanner.h"
#include "import/ImportPaths.h"
#include "import/NetscapeBookmarkScanner.h"
#include "import/TextLines.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

template <typename Scan>
Pairs pairsOf(Scan scan, std::string_view text)
{
    std::vector<std::string> titles;
    std::vector<std::string> urls;
    scan(text, titles, urls);
    EXPECT_EQ(titles.size(), urls.size());
    Pairs pairs;
    for (size_t i = 0; i < titles.size() && i < urls.size(); ++i)
        pairs.emplace_back(titles[i], urls[i]);
    return pairs;
}

Pairs links(std::string_view html) { return pairsOf(NetscapeBookmarkScanner::scan, html); }
Pairs hotlist(std::string_view text) { return pairsOf(HotlistScanner::scan, text); }

std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    TextLines reader(text);
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLines, SplitsAtLineFeedsAndDropsTheCarriageReturnBeforeThem)
{
    EXPECT_EQ(Lines({"a", "b", "", "c"}), linesOf("a\r\nb\n\r\nc"));
    EXPECT_EQ(Lines({"a"}), linesOf("a\n"));
    EXPECT_EQ(Lines({"", ""}), linesOf("\n\n"));
    EXPECT_EQ(Lines(), linesOf(""));
    // Only a carriage return right before the line feed belongs to the line end.
    EXPECT_EQ(Lines({"a\rb\r", "c\r"}), linesOf("a\rb\r\r\nc\r"));
}

TEST(NetscapeBookmarkScanner, ReadsATypicalBookmarkFile)
{
    const std::string file =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\n"
        "<TITLE>Bookmarks</TITLE>\r\n"
        "<H1>Bookmarks</H1>\r\n"
        "<DL><p>\r\n"
        "    <DT><H3 ADD_DATE=\"1\">ニュース</H3>\r\n"
        "    <DL><p>\r\n"
        "        <DT><A HREF=\"http://example.jp/?a=1&amp;b=2\" ADD_DATE=\"9\" LAST_VISIT=\"9\">表示 &amp; ソフト</A>\r\n"
        "        <DD>説明は読まない\r\n"
        "    </DL><p>\r\n"
        "    <HR>\r\n"
        "    <DT><A HREF=\"http://example.com/\">〜能力〜</A>\r\n"
        "</DL><p>\r\n";
    EXPECT_EQ(Pairs({{"表示 &amp; ソフト", "http://example.jp/?a=1&amp;b=2"}, {"〜能力〜", "http://example.com/"}}),
              links(file));
}

TEST(NetscapeBookmarkScanner, TakesTitlesRawAndEveryAnchorOfALine)
{
    EXPECT_EQ(Pairs({{"<B>太字</B> ", "u1"}, {"二", "u2"}}),
              links("<P><A HREF=\"u1\"><B>太字</B> </A> und <A HREF=\"u2\">二</A>"));
    // Lower case, a blank before the closing ">", and a tab after "<a".
    EXPECT_EQ(Pairs({{"t", "u"}}), links("<a\thref=\"u\">t</a >"));
    EXPECT_EQ(Pairs({{"", ""}}), links("<A HREF=\"\"></A>"));
}

TEST(NetscapeBookmarkScanner, TheFirstQuotedValueIsTheUrl)
{
    EXPECT_EQ(Pairs({{"t", "first"}}), links("<A ID=\"first\" HREF=\"second\">t</A>"));
    // Single quotes are no quotes: the value is taken from the next double quotes on the line.
    EXPECT_EQ(Pairs(), links("<A HREF='u'>t</A>"));
    EXPECT_EQ(Pairs({{"x", "later"}}), links("<A HREF='u'>t</A><B title=\"later\">x</A>"));
}

TEST(NetscapeBookmarkScanner, SkipsAnchorsItCannotReadOnOneLine)
{
    EXPECT_EQ(Pairs(), links("<A HREF=\"u\">split\n</A>"));
    EXPECT_EQ(Pairs(), links("<A HREF=\"u>t</A>"));
    EXPECT_EQ(Pairs(), links("<A HREF=\"u\" t</A>"));
    EXPECT_EQ(Pairs(), links("<A HREF=\"u\">t</A"));
    EXPECT_EQ(Pairs(), links("<A HREF=\"u\">t</Ab>"));
    // Only the spellings href and HREF count; without one the tag is passed over.
    EXPECT_EQ(Pairs(), links("<A Href=\"u\">a</A>"));
    // They may stand anywhere later on the line, even in another anchor.
    EXPECT_EQ(Pairs({{"a", "u"}, {"b", "v"}}), links("<A Href=\"u\">a</A><A HREF=\"v\">b</A>"));
    // "<A" directly followed by a letter is another tag.
    EXPECT_EQ(Pairs(), links("<ABBR HREF=\"u\">t</A>"));
    // A tag left open before the anchor swallows the anchor's start.
    EXPECT_EQ(Pairs(), links("<B <A HREF=\"u\">t</A>"));
}

TEST(NetscapeBookmarkScanner, OtherClosingTagsInsideTheTitleAreSkipped)
{
    EXPECT_EQ(Pairs({{"<I>a</I> b</B>", "u"}}), links("<A HREF=\"u\"><I>a</I> b</B></A>"));
    // A closing tag without its ">" ends the search.
    EXPECT_EQ(Pairs(), links("<A HREF=\"u\">a</I b</A"));
}

TEST(NetscapeBookmarkScanner, SecondBytesOfKanjiNeverMatch)
{
    // 0x83 0x68 is ド: its second byte is "h", so "ドref" holds "href" as bytes only.
    const std::string doRef = "\x83href";
    EXPECT_EQ(Pairs(), links("<A " + doRef + "=\"u\">t</A>"));
    EXPECT_EQ(Pairs({{"t", "u"}}), links("<A " + doRef + " href=\"u\">t</A>"));
    // 0x95 0x5C is 表 and 0x83 0x41 is ア: the trail bytes "\" and "A" stay inside their characters.
    EXPECT_EQ(Pairs({{"表ア", "u"}}), links("<A HREF=\"u\">表ア</A>"));
}

TEST(NetscapeBookmarkScanner, ALineOfManyAnchorsWithoutHrefStaysFast)
{
    // Searching the rest of the line anew for every anchor would take hours here.
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "<A x>";
    text += "\n<A HREF=\"u\">t</A>";
    EXPECT_EQ(Pairs({{"t", "u"}}), links(text));
}

TEST(NetscapeBookmarkScanner, FilesDeclareUtf8ByByteOrderMarkOrCharsetInTheirHead)
{
    EXPECT_TRUE(NetscapeBookmarkScanner::declaresUtf8(
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">"));
    EXPECT_TRUE(NetscapeBookmarkScanner::declaresUtf8("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(NetscapeBookmarkScanner::declaresUtf8("\xEF\xBB\xBF<DL>"));
    EXPECT_FALSE(NetscapeBookmarkScanner::declaresUtf8("<META CONTENT=\"text/html; charset=Shift_JIS\">"));
    EXPECT_FALSE(NetscapeBookmarkScanner::declaresUtf8("<DL><DT><A HREF=\"u\">charset=UTF8</A>"));
    EXPECT_FALSE(NetscapeBookmarkScanner::declaresUtf8(""));
    // Only the head counts: a link text far down the file says nothing about it.
    EXPECT_FALSE(NetscapeBookmarkScanner::declaresUtf8(std::string(2000, ' ') + "charset=utf-8"));
}

TEST(HotlistScanner, ReadsLinkEntriesAndPassesOverFolders)
{
    const std::string file = CodePage::fromUtf8(
        u8"Opera Hotlist version 2.0\r\n"
        u8"Options: encoding = utf8, version=3\r\n"
        u8"\r\n"
        u8"#FOLDER\r\n"
        u8"\tID=1\r\n"
        u8"\tNAME=ニュース\r\n"
        u8"\r\n"
        u8"#URL\r\n"
        u8"\tID=2\r\n"
        u8"\tNAME=天気予報 〜 週間\r\n"
        u8"\tURL=http://example.jp/?a=b=c\r\n"
        u8"\tCREATED=1\r\n"
        u8"\r\n"
        u8"-\r\n"
        u8"\r\n"
        u8"#URL\r\n"
        u8"  URL=http://example.com/ \r\n"
        u8"\tNAME=old\r\n"
        u8"\tNAME=new\r\n");
    EXPECT_EQ(Pairs({{"天気予報 〜 週間", "http://example.jp/?a=b=c"}, {"new", "http://example.com/ "}}),
              hotlist(file));
}

TEST(HotlistScanner, EntriesWithMissingFieldsStillCount)
{
    EXPECT_EQ(Pairs({{"", "http://u/"}}), hotlist("#URL\nURL=http://u/\n"));
    EXPECT_EQ(Pairs({{"name", ""}}), hotlist("#URL\nNAME=name\n\n"));
    EXPECT_EQ(Pairs({{"", ""}}), hotlist("#URL"));
    // Lines without "=" and unknown keys are ignored; key names are case-sensitive.
    EXPECT_EQ(Pairs({{"", ""}}), hotlist("#URL\nNAME\nname=x\n URL =y\n"));
}

TEST(HotlistScanner, OnlyAnExactHashUrlLineStartsAnEntry)
{
    EXPECT_EQ(Pairs(), hotlist("#URL \nNAME=a\n\n#url\nNAME=b\n\n #URL\nNAME=c\n"));
    // An empty line ends the entry; the fields after it belong to no link.
    EXPECT_EQ(Pairs({{"a", ""}}), hotlist("#URL\nNAME=a\n\nURL=http://x/\n"));
    // Inside an entry, "#URL" is a field line without "=".
    EXPECT_EQ(Pairs({{"b", ""}}), hotlist("#URL\nNAME=a\n#URL\nNAME=b\n"));
}

TEST(ImportPaths, KindsFollowTheExtensionInAnyLetterCase)
{
    using Kind = ImportPaths::FileKind;
    EXPECT_EQ(Kind::HtmlBookmarks, ImportPaths::kindOf("C:\\a\\bookmark.htm"));
    EXPECT_EQ(Kind::HtmlBookmarks, ImportPaths::kindOf("C:\\a\\bookmarks.HTML"));
    EXPECT_EQ(Kind::InternetShortcut, ImportPaths::kindOf("C:\\a\\a.b.Url"));
    EXPECT_EQ(Kind::Hotlist, ImportPaths::kindOf("opera6.ADR"));
    EXPECT_EQ(Kind::Other, ImportPaths::kindOf("C:\\a.url\\readme"));
    EXPECT_EQ(Kind::Other, ImportPaths::kindOf("C:\\a\\x.urlx"));
    EXPECT_EQ(Kind::Other, ImportPaths::kindOf("C:\\a\\x.txt"));
}

TEST(ImportPaths, ExtensionsAreFoundByCharacter)
{
    EXPECT_EQ(".url", ImportPaths::extensionOf("C:\\お気に入り\\a.b.url"));
    EXPECT_EQ("", ImportPaths::extensionOf("C:\\x.y\\name"));
    // 表 ends in 0x5C: it is no folder separator.
    EXPECT_EQ(".表", ImportPaths::extensionOf("C:\\a.表"));
    EXPECT_EQ("", ImportPaths::extensionOf(""));
}

TEST(ImportPaths, NetscapeUsersLieBesideTheInstallDirectory)
{
    EXPECT_EQ("C:\\Program Files\\Netscape\\Users",
              ImportPaths::netscapeUsersFolder("C:\\Program Files\\Netscape\\Program"));
    EXPECT_EQ("C:\\Program Files\\Netscape\\Users",
              ImportPaths::netscapeUsersFolder("C:\\Program Files\\Netscape\\Program\\"));
    // A folder name ending in 表 (second byte 0x5C) has no trailing backslash to remove.
    EXPECT_EQ("D:\\Users", ImportPaths::netscapeUsersFolder("D:\\表"));
    EXPECT_EQ("Users", ImportPaths::netscapeUsersFolder("Netscape"));
}

}  // namespace
