// The Netscape bookmark file a book is exported as, and how the program's
// own HTML import reads it back. Book texts are code page 932 literals; the
// file is UTF-8 (u8 literals).

#include "import/NetscapeBookmarkScanner.h"
#include "model/NetscapeBookmarkWriter.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

// Local midnights depend on the time zone: these tests run in Japan's.
class NetscapeExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        if (zone != nullptr) savedZone_ = zone;
        hadZone_ = zone != nullptr;
        setenv("TZ", "JST-9", 1);
        tzset();
    }

    void TearDown() override
    {
        if (hadZone_) setenv("TZ", savedZone_.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    bool hadZone_ = false;
    std::string savedZone_;
};

// Every item type, a message over two lines, marks, markup in a title, a
// double quote and a query in a URL, dates valid and not.
void fillBook(BookmarkItem& root)
{
    BookmarkItem& group = *root.addGroupChild("<b>表</b> & Co", "2004/05/06");
    group.setMark(0, true);
    group.setMark(2, true);
    group.message = "一行目\r\n二行目";
    const ItemRef site = BookmarkItem::create();
    site->makeGroupUrl("サイト", "http://example.jp/", "", "2004/02/30");
    group.appendChild(site);
    site->addUrlChild("引用", "http://example.jp/?q=\"a\"&lang=ja&copy", "", "bad");
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("2004/05/06");
    root.appendChild(separator);
    root.addUrlChild("改\n行", "http://example.jp/\t", "", "");
}

const char kExported[] =
    u8"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    u8"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    u8"<TITLE>本 &amp; &quot;x&quot;</TITLE>\n"
    u8"<H1>本 &amp; &quot;x&quot;</H1>\n"
    u8"<DL><p>\n"
    u8"    <DT><H3 ADD_DATE=\"1083769200\" TAGS=\"マーク1,マーク3\">&lt;b&gt;表&lt;/b&gt; &amp; Co</H3>\n"
    u8"    <DD>一行目<BR>二行目\n"
    u8"    <DL><p>\n"
    u8"        <DT><H3>サイト</H3>\n"
    u8"        <DL><p>\n"
    u8"            <DT><A HREF=\"http://example.jp/\">サイト</A>\n"
    u8"            <DT><A HREF=\"http://example.jp/?q=&quot;a&quot;&lang=ja&amp;copy\">引用</A>\n"
    u8"        </DL><p>\n"
    u8"    </DL><p>\n"
    u8"    <HR ADD_DATE=\"1083769200\">\n"
    u8"    <DT><A HREF=\"http://example.jp/%09\">改&#10;行</A>\n"
    u8"</DL><p>\n";

TEST_F(NetscapeExport, WritesTheTreeAsNestedFoldersAndLinks)
{
    BookmarkItem root;
    fillBook(root);
    EXPECT_EQ(kExported, NetscapeBookmarkWriter::write(root, "本 & \"x\""));
}

TEST_F(NetscapeExport, TheHtmlImportReadsEveryLinkBackInOrder)
{
    BookmarkItem root;
    fillBook(root);
    const std::string file = NetscapeBookmarkWriter::write(root, "book");
    ASSERT_TRUE(NetscapeBookmarkScanner::declaresUtf8(file));
    std::vector<std::string> titles;
    std::vector<std::string> urls;
    NetscapeBookmarkScanner::scan(CodePage::fromUtf8(file), titles, urls);
    // That reader keeps character references as written.
    EXPECT_EQ(std::vector<std::string>({"サイト", "引用", "改&#10;行"}), titles);
    EXPECT_EQ(std::vector<std::string>({"http://example.jp/", "http://example.jp/?q=&quot;a&quot;&lang=ja&amp;copy",
                                        "http://example.jp/%09"}),
              urls);
}

}  // namespace
