// The tree reader of Netscape-format bookmark files: folders, descriptions,
// dates, marks and separators in every spelling browsers write, and hostile
// markup that must stay within bounds.

#include "import/NetscapeTreeReader.h"
#include "model/NetscapeBookmarkWriter.h"
#include "platform/CodePage.h"
#include "tests/common/CalendarTime.h"
#include "tests/common/ExpectSameTree.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

const std::string kToday = "2030/01/02";

// Seconds since 1970 of local noon on a day.
std::string secondsOfNoon(int year, int month, int day)
{
    std::tm local = calendarTime(year, month, day, 12);
    return std::to_string(static_cast<long long>(std::mktime(&local)));
}

const std::string kExport = std::string(u8R"(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>ブックマーク</H1>
<DL><p>
    <DT><H3 ADD_DATE=")") + secondsOfNoon(2023, 11, 14) + u8R"(">フォルダ</H3>
    <DD>説明<BR>
二行目
    <DL><p>
        <DT><H3 ADD_DATE=")" + secondsOfNoon(2023, 11, 14) + u8R"(">下位</H3>
        <DL><p>
            <DT><A HREF="http://a.example/" ADD_DATE=")" + secondsOfNoon(2001, 2, 3) + u8R"(" TAGS="マーク1,旅行, マーク5">リンク</A>
        </DL><p>
        <HR>
        <DT><A HREF="http://b.example/">日付なし</A>
        <DD>メモ
    </DL><p>
    <DT><H3>図書館</H3>
    <DL><p>
        <DT><A HREF="http://lib.example/">図書館</A>
        <DT><A HREF="http://lib.example/a">蔵書</A>
    </DL><p>
</DL><p>
)";

ItemRef expectedExportTree()
{
    const ItemRef group = BookmarkItem::create();
    group->makeGroup("ブックマーク", kToday);
    const ItemRef folder = group->addGroupChild("フォルダ", "2023/11/14");
    folder->message = "説明\r\n二行目";
    const ItemRef link = folder->addGroupChild("下位", "2023/11/14")->addUrlChild("リンク", "http://a.example/", "", "2001/02/03");
    link->marks = "10001";
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator(kToday);
    folder->appendChild(separator);
    folder->addUrlChild("日付なし", "http://b.example/", "メモ", kToday);
    const ItemRef library = group->addGroupChild("図書館", kToday);
    library->makeGroupUrl("図書館", "http://lib.example/", "", kToday);
    library->addUrlChild("蔵書", "http://lib.example/a", "", kToday);
    return group;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// The file as other writers spell it: tags in lower case, CR LF line ends.
std::string lowerCaseCrLf(std::string text)
{
    bool inTag = false;
    for (char& c : text) {
        inTag = c == '<' || (inTag && c != '>');
        if (inTag && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return replaced(text, "\n", "\r\n");
}

int depthOf(const BookmarkItem& item)
{
    int deepest = 0;
    for (const ItemRef& child : item.children) deepest = std::max(deepest, 1 + depthOf(*child));
    return deepest;
}

TEST(NetscapeTreeReader, KeepsFoldersDescriptionsDatesMarksSeparatorsAndLinkCarryingGroups)
{
    const std::string shiftJis = CodePage::fromUtf8(replaced(kExport, "charset=UTF-8", "charset=Shift_JIS"));
    const std::string withoutCharset = replaced(kExport, "charset=UTF-8", "");
    for (const std::string& file : {kExport, lowerCaseCrLf(kExport), withoutCharset, shiftJis, CodePage::fromUtf8(withoutCharset)}) {
        const TreeImport imported = NetscapeTreeReader::read(file, "bookmarks.html", kToday);
        expectSameTree(*expectedExportTree(), *imported.group);
        EXPECT_EQ(3u, imported.folders);
        EXPECT_EQ(3u, imported.links);
    }
}

TEST(NetscapeTreeReader, ReadsRavlosExportBackAsTheSameTree)
{
    BookmarkItem book;
    book.makeGroup("本", kToday);  // what the new group will be
    const ItemRef group = book.addGroupChild("旅行 & <食事>", "2004/05/06");
    group->message = "一行目\r\n二行目\n三行目 ";
    group->setMark(0, true);
    group->setMark(2, true);
    const ItemRef site = BookmarkItem::create();
    site->makeGroupUrl("\"宿\"", "http://example.jp/?a=1&b=<2>&quot=\"3\"&amp;", "予約\n", "2010/12/31");
    site->setMark(4, true);
    group->appendChild(site);
    site->addUrlChild("地図 > 駅", "http://example.jp/地図?x=1&#y", "\r\n", "2001/02/03")->setMark(1, true);
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("1999/12/31");
    book.appendChild(separator);
    book.addUrlChild("表", "http://example.jp/", "", "2024/02/29");

    const TreeImport imported = NetscapeTreeReader::read(NetscapeBookmarkWriter::write(book, "本"), "x.html", kToday);
    expectSameTree(book, *imported.group);
}

TEST(NetscapeTreeReader, DecodesReferencesAndNamesAGroupWithoutHeadingAfterTheFile)
{
    const TreeImport imported = NetscapeTreeReader::read(
        u8R"(<dl><dt><a href="http://x.example/?a=1&amp;b=2">A &amp; B &lt;C&gt; &#x3042;&#12354;&nbsp;&quot;q&quot; &bogus; &#0;x</a></dl>)",
        "bookmarks.html", kToday);
    EXPECT_EQ("bookmarks.html", imported.group->title);
    ASSERT_EQ(1u, imported.group->children.size());
    EXPECT_EQ("http://x.example/?a=1&b=2", imported.group->children.front()->url);
    EXPECT_EQ("A & B <C> ああ \"q\" &bogus; x", imported.group->children.front()->title);
}

TEST(NetscapeTreeReader, BoundsTheDepthOfHostileNestingAndKeepsEveryItem)
{
    std::string file = "</DL></DL>";
    for (int level = 0; level < 10000; ++level) file += "<DL><p><DT><H3>f</H3>";
    file += "<DL><DT><A HREF=\"deep\">d</A><DT><A HREF=\"open\">never closed<!-- and no end";
    const TreeImport imported = NetscapeTreeReader::read(file, "x.html", kToday);
    EXPECT_EQ(NetscapeTreeReader::MaxNesting, depthOf(*imported.group));
    EXPECT_EQ(10000u, imported.folders);
    EXPECT_EQ(2u, imported.links);
}

}  // namespace
