#include "framework/MemoryFile.h"
#include "framework/ReadOnlyMemoryFile.h"
#include "model/ItemRecord.h"
#include "model/HtmlItemStream.h"
#include "velmir/HtmlPageWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const Date = "2001/02/03";
const std::string End = "</body></html>\r\n";

// The page head for a book titled `title`, dated 2024/05/06.
std::string head(const std::string& title, const std::string& bodyTag = "<body>\r\n",
                 const std::string& firstMessage = std::string())
{
    return "<html><head><title>" + title + "</title></head>\r\n" + bodyTag + "<h1>" + title +
           "</h1>\r\n<hr>\r\n" + firstMessage + "<br>最終更新 <b>2024/05/06</b><br>\r\n";
}

ItemRef addGroupUrl(BookmarkItem& parent, const std::string& title, const std::string& url,
                    const std::string& message = std::string())
{
    ItemRef item = BookmarkItem::create();
    item->makeGroupUrl(title, url, message, Date);
    parent.appendChild(item);
    return item;
}

void addSeparator(BookmarkItem& parent)
{
    ItemRef item = BookmarkItem::create();
    item->makeSeparator(Date);
    parent.appendChild(item);
}

ItemRef addLink(BookmarkItem& parent, const std::string& title, const std::string& url,
                const std::string& message = std::string())
{
    return parent.addUrlChild(title, url, message, Date);
}

struct Page {
    bool written = false;
    std::string bytes;
};

Page pageOf(const std::vector<uint8_t>& stream, const ColorProfile& profile = ColorProfile())
{
    ReadOnlyMemoryFile input(stream.data(), stream.size());
    MemoryFile output;
    Page page;
    page.written = HtmlPageWriter(input, output, profile, "2024/05/06").write();
    page.bytes.assign(output.bytes().begin(), output.bytes().end());
    return page;
}

Page pageOf(BookmarkItem& root, const ColorProfile& profile = ColorProfile())
{
    return pageOf(HtmlItemStream::make(root), profile);
}

void appendInt(std::vector<uint8_t>& bytes, int32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
}

// A record of the host's form by hand: four strings, the title and three empty ones.
void appendRecord(std::vector<uint8_t>& bytes, ItemType type, int32_t childCount, const std::string& title,
                  int32_t stringCount = 4)
{
    appendInt(bytes, static_cast<int32_t>(type));
    appendInt(bytes, childCount);
    appendInt(bytes, stringCount);
    appendInt(bytes, static_cast<int32_t>(title.size()));
    bytes.insert(bytes.end(), title.begin(), title.end());
    for (int i = 1; i < 4; ++i) appendInt(bytes, 0);
}

std::vector<uint8_t> headerOnly()
{
    return std::vector<uint8_t>(kItemStreamHeader, kItemStreamHeader + sizeof kItemStreamHeader);
}

// ---------------------------------------------------------------- structure

TEST(HtmlPageWriterTest, SecondLevelGroupWithOneLinkGivesTheWholePage)
{
    ItemRef root = BookmarkItem::create();
    ItemRef b = root->addGroupChild("T", Date)->addGroupChild("A", Date)->addGroupChild("B", Date);
    addLink(*b, "L", "http://x/");

    const Page page = pageOf(*root);

    EXPECT_TRUE(page.written);
    EXPECT_EQ(page.bytes, head("T") +
                              "<hr><ul>\r\n"
                              "<li><a href=\"#000\">A</a>：<a href=\"#001_00\">B</a></li>\r\n"
                              "</ul><hr>\r\n"
                              "<ul>\r\n"
                              "<h2><a name=\"000\"></a>A</h2>\r\n"
                              "<h3><a name=\"001_00\"></a>B</h3>\r\n"
                              "<li><a href=\"http://x/\">L</a></li>\r\n"
                              "</ul>\r\n" +
                              End);
}

TEST(HtmlPageWriterTest, ContentsLinksAndAnchorsNumberGroupsAlike)
{
    ItemRef root = BookmarkItem::create();
    ItemRef top = root->addGroupChild("T", Date);
    for (const char* name : {"A", "B"}) {
        ItemRef group = top->addGroupChild(name, Date);
        group->addGroupChild(std::string(name) + "1", Date);
        group->addGroupChild(std::string(name) + "2", Date)->addGroupChild("deep", Date);
    }

    const Page page = pageOf(*root);

    ASSERT_TRUE(page.written);
    // The second-level groups carry the number of their top-level group plus one.
    EXPECT_EQ(page.bytes, head("T") +
                              "<hr><ul>\r\n"
                              "<li><a href=\"#000\">A</a>：<a href=\"#001_00\">A1</a>：<a href=\"#001_01\">A2</a></li>\r\n"
                              "<li><a href=\"#001\">B</a>：<a href=\"#002_00\">B1</a>：<a href=\"#002_01\">B2</a></li>\r\n"
                              "</ul><hr>\r\n"
                              "<ul>\r\n"
                              "<h2><a name=\"000\"></a>A</h2>\r\n"
                              "<h3><a name=\"001_00\"></a>A1</h3>\r\n"
                              "<h3><a name=\"001_01\"></a>A2</h3>\r\n"
                              "<h3>deep</h3>\r\n"
                              "<h2><a name=\"001\"></a>B</h2>\r\n"
                              "<h3><a name=\"002_00\"></a>B1</h3>\r\n"
                              "<h3><a name=\"002_01\"></a>B2</h3>\r\n"
                              "<h3>deep</h3>\r\n"
                              "</ul>\r\n" +
                              End);
}

TEST(HtmlPageWriterTest, NumbersWiderThanTheirFieldKeepAllDigits)
{
    ItemRef root = BookmarkItem::create();
    ItemRef top = root->addGroupChild("T", Date);
    for (int i = 0; i < 1001; ++i) top->addGroupChild("g", Date);
    top->children.back()->addGroupChild("s", Date);

    const Page page = pageOf(*root);

    ASSERT_TRUE(page.written);
    EXPECT_NE(page.bytes.find("<li><a href=\"#1000\">g</a>：<a href=\"#1001_00\">s</a></li>\r\n"), std::string::npos);
    EXPECT_NE(page.bytes.find("<h2><a name=\"1000\"></a>g</h2>\r\n<h3><a name=\"1001_00\"></a>s</h3>\r\n"),
              std::string::npos);
}

TEST(HtmlPageWriterTest, ItemsBesideTopLevelGroupsAreHeadingsWithoutContentsEntries)
{
    ItemRef root = BookmarkItem::create();
    ItemRef top = root->addGroupChild("T", Date);
    top->addGroupChild("A", Date)->addGroupChild("A1", Date);
    ItemRef link = addLink(*top, "U", "http://u/");
    // A group below a link at the top level continues the count of group A.
    link->addGroupChild("under", Date);
    addSeparator(*top);
    ItemRef linkGroup = addGroupUrl(*top, "GU", "http://gu/", "m");
    addLink(*linkGroup, "L", "http://l/");
    linkGroup->addGroupChild("G", Date);

    const Page page = pageOf(*root);

    ASSERT_TRUE(page.written);
    EXPECT_EQ(page.bytes, head("T") +
                              "<hr><ul>\r\n"
                              "<li><a href=\"#000\">A</a>：<a href=\"#001_00\">A1</a></li>\r\n"
                              "</ul><hr>\r\n"
                              "<ul>\r\n"
                              "<h2><a name=\"000\"></a>A</h2>\r\n"
                              "<h3><a name=\"001_00\"></a>A1</h3>\r\n"
                              "<h2><a href=\"http://u/\">U</a></h2>\r\n"
                              "<h3><a name=\"001_01\"></a>under</h3>\r\n"
                              "<hr>\r\n"
                              "<h2><a href=\"http://gu/\">GU</a></h2>\r\n"
                              "<li><a href=\"http://l/\">L</a></li>\r\n"
                              "<h3><a name=\"001_02\"></a>G</h3>\r\n"
                              "</ul>\r\n" +
                              End);
}

TEST(HtmlPageWriterTest, LinkLinesCarryTheirMessageAfterAColon)
{
    ItemRef root = BookmarkItem::create();
    ItemRef group = root->addGroupChild("T", Date)->addGroupChild("A", Date);
    addLink(*group, "with", "http://w/", "note");
    addLink(*group, "without", "http://wo/");
    addLink(*group, "no url", "", "m");
    addSeparator(*group);

    const Page page = pageOf(*root);

    ASSERT_TRUE(page.written);
    const std::string body = "<h2><a name=\"000\"></a>A</h2>\r\n"
                             "<li><a href=\"http://w/\">with</a>：note</li>\r\n"
                             "<li><a href=\"http://wo/\">without</a></li>\r\n"
                             "<li>no&nbsp;url：m</li>\r\n"
                             "<hr>\r\n";
    EXPECT_NE(page.bytes.find("<ul>\r\n" + body + "</ul>\r\n" + End), std::string::npos) << page.bytes;
}

TEST(HtmlPageWriterTest, DeepLinkGroupWritesItsDescendantsOnItsOwnLine)
{
    ItemRef root = BookmarkItem::create();
    ItemRef group = root->addGroupChild("T", Date)->addGroupChild("A", Date);
    ItemRef linkGroup = addGroupUrl(*group, "GU", "http://gu/", "gm");
    addLink(*linkGroup, "L1", "http://l1/", "m1");
    addSeparator(*linkGroup);
    ItemRef inner = linkGroup->addGroupChild("G", Date);
    addLink(*inner, "L2", "");
    addGroupUrl(*inner, "GU2", "http://gu2/");
    addLink(*group, "after", "http://after/");

    const Page page = pageOf(*root);

    ASSERT_TRUE(page.written);
    const std::string body = "<h2><a name=\"000\"></a>A</h2>\r\n"
                             "<li><a href=\"http://gu/\">GU</a>：gm"
                             "：<a href=\"http://l1/\">L1</a>：m1"
                             "：―\r\n"
                             "：G：L2：<a href=\"http://gu2/\">GU2</a>"
                             "</li>\r\n"
                             "<li><a href=\"http://after/\">after</a></li>\r\n";
    EXPECT_NE(page.bytes.find("<ul>\r\n" + body + "</ul>\r\n" + End), std::string::npos) << page.bytes;
}

TEST(HtmlPageWriterTest, SeveralFirstLevelRecordsShareOnePageHead)
{
    ItemRef root = BookmarkItem::create();
    root->addGroupChild("first", Date)->addGroupChild("A", Date);
    root->addGroupChild("second", Date)->addGroupChild("B", Date);

    const Page page = pageOf(*root);

    ASSERT_TRUE(page.written);
    EXPECT_EQ(page.bytes, head("first") +
                              "<hr><ul>\r\n<li><a href=\"#000\">A</a></li>\r\n</ul><hr>\r\n"
                              "<hr><ul>\r\n<li><a href=\"#001\">B</a></li>\r\n</ul><hr>\r\n"
                              "<ul>\r\n<h2><a name=\"000\"></a>A</h2>\r\n</ul>\r\n"
                              "<ul>\r\n<h2><a name=\"001\"></a>B</h2>\r\n</ul>\r\n" +
                              End);
}

TEST(HtmlPageWriterTest, EmptyBookGivesOnlyTheClosingTags)
{
    ItemRef root = BookmarkItem::create();
    const Page page = pageOf(*root);
    EXPECT_TRUE(page.written);
    EXPECT_EQ(page.bytes, End);
}

// Fragments the compiler must have turned into code page 932.
TEST(HtmlPageWriterTest, JapaneseFragmentsAreCodePage932)
{
    ItemRef root = BookmarkItem::create();
    ItemRef linkGroup = addGroupUrl(*root->addGroupChild("T", Date)->addGroupChild("A", Date), "G", "u", "m");
    addSeparator(*linkGroup);

    const std::string page = pageOf(*root).bytes;

    EXPECT_NE(page.find("<br>\x8d\xc5\x8f\x49\x8d\x58\x90\x56 <b>2024/05/06</b><br>"), std::string::npos);
    EXPECT_NE(page.find("</a>\x81\x46m\x81\x46\x81\x5c\r\n</li>"), std::string::npos);
}

// ---------------------------------------------------------------- profile

TEST(HtmlPageWriterTest, BrowserDefaultColoursLeaveTheTagsBare)
{
    ItemRef root = BookmarkItem::create();
    root->addGroupChild("T", Date)->addGroupChild("A", Date)->addGroupChild("B", Date);
    ColorProfile profile;
    profile.Text.color = 0x0000ff;  // kept, but not used while on the default
    profile.FirstMessage = "Hello<br>\r\nworld";

    const Page page = pageOf(*root, profile);

    EXPECT_EQ(page.bytes.substr(0, head("T", "<body>\r\n", profile.FirstMessage).size()),
              head("T", "<body>\r\n", profile.FirstMessage));
    EXPECT_NE(page.bytes.find("<h2><a name=\"000\"></a>A</h2>\r\n<h3><a name=\"001_00\"></a>B</h3>\r\n"),
              std::string::npos);
}

TEST(HtmlPageWriterTest, ProfileColoursGoIntoBodyTagAndHeadings)
{
    ItemRef root = BookmarkItem::create();
    ItemRef group = root->addGroupChild("T", Date)->addGroupChild("A", Date);
    group->addGroupChild("B", Date)->addGroupChild("C", Date);
    ColorProfile profile;
    profile.Text = ColorSetting(0x0000ff, false);
    profile.BackGround = ColorSetting(0xffffff, false);
    profile.Link = ColorSetting(0x123456, false);
    profile.VLink = ColorSetting(0x00ff00, false);
    profile.ALink = ColorSetting(0xff0000, false);
    profile.HighGroup = ColorSetting(0x0a0b0c, false);
    profile.Group = ColorSetting(0x808080, false);

    const Page page = pageOf(*root, profile);

    ASSERT_TRUE(page.written);
    const std::string bodyTag = "<body text=\"#ff0000\" bgcolor=\"#ffffff\" link=\"#563412\" "
                                "vlink=\"#00ff00\" alink=\"#0000ff\">\r\n";
    EXPECT_EQ(page.bytes, head("T", bodyTag) +
                              "<hr><ul>\r\n"
                              "<li><a href=\"#000\">A</a>：<a href=\"#001_00\">B</a></li>\r\n"
                              "</ul><hr>\r\n"
                              "<ul>\r\n"
                              "<h2><a name=\"000\"></a><font color=\"#0c0b0a\">A</font></h2>\r\n"
                              "<h3><a name=\"001_00\"></a><font color=\"#808080\">B</font></h3>\r\n"
                              "<h3><font color=\"#808080\">C</font></h3>\r\n"
                              "</ul>\r\n" +
                              End);
}

TEST(HtmlPageWriterTest, PureRedTextAloneGivesOneAttribute)
{
    ItemRef root = BookmarkItem::create();
    root->addGroupChild("T", Date);
    ColorProfile profile;
    profile.Text = ColorSetting(0x0000ff, false);

    const std::string expected = head("T", "<body text=\"#ff0000\">\r\n");
    EXPECT_EQ(pageOf(*root, profile).bytes.substr(0, expected.size()), expected);
}

// ---------------------------------------------------------------- what the host sends

TEST(HtmlPageWriterTest, TitlesAndMessagesArriveEscapedAndUrlsAsTheyAreButForQuotes)
{
    ItemRef root = BookmarkItem::create();
    ItemRef group = root->addGroupChild("A & <B>", Date)->addGroupChild("\"Q\"", Date);
    // A quote must not end the href value: the rest would become markup.
    addLink(*group, "x<y", "http://h/?a=1&b=\"2\" onmouseover=\"alert(1)", "m & n");
    ColorProfile profile;
    profile.FirstMessage = "<b>raw & bold</b>\r\n";

    const Page page = pageOf(*root, profile);

    ASSERT_TRUE(page.written);
    EXPECT_EQ(page.bytes, head("A&nbsp;&amp;&nbsp;&lt;B&gt;", "<body>\r\n", profile.FirstMessage) +
                              "<hr><ul>\r\n"
                              "<li><a href=\"#000\">&quot;Q&quot;</a></li>\r\n"
                              "</ul><hr>\r\n"
                              "<ul>\r\n"
                              "<h2><a name=\"000\"></a>&quot;Q&quot;</h2>\r\n"
                              "<li><a href=\"http://h/?a=1&b=%222%22 onmouseover=%22alert(1)\">x&lt;y</a>：m&nbsp;&amp;&nbsp;n</li>\r\n"
                              "</ul>\r\n" +
                              End);
}

TEST(HtmlPageWriterTest, MarkFilteredBookKeepsFirstLevelAndMarkedItemsOnly)
{
    ItemRef root = BookmarkItem::create();
    ItemRef top = root->addGroupChild("T", Date);
    root->addGroupChild("E", Date);  // first-level items are always sent
    ItemRef a = top->addGroupChild("A", Date);
    ItemRef linkGroup = addGroupUrl(*a, "kept for a child", "http://hidden/");
    addLink(*linkGroup, "marked", "http://m/")->setMark(2, true);
    addLink(*linkGroup, "unmarked", "http://u/");
    addLink(*a, "other mark", "http://o/")->setMark(0, true);
    addLink(*top->addGroupChild("plain", Date), "unmarked", "http://u/");
    MarkFilter filter;
    filter.all = false;
    filter.mark[2] = true;

    const Page page = pageOf(HtmlItemStream::make(*root, filter));

    ASSERT_TRUE(page.written);
    // A link group sent only for its marked child comes without its URL.
    EXPECT_EQ(page.bytes, head("T") +
                              "<hr><ul>\r\n<li><a href=\"#000\">A</a></li>\r\n</ul><hr>\r\n"
                              "<hr><ul>\r\n</ul><hr>\r\n"
                              "<ul>\r\n"
                              "<h2><a name=\"000\"></a>A</h2>\r\n"
                              "<li>kept&nbsp;for&nbsp;a&nbsp;child：<a href=\"http://m/\">marked</a></li>\r\n"
                              "</ul>\r\n"
                              "<ul>\r\n</ul>\r\n" +
                              End);
}

// ---------------------------------------------------------------- damaged streams

TEST(HtmlPageWriterTest, StreamWithoutHeaderWritesNothing)
{
    ItemRef root = BookmarkItem::create();
    root->addGroupChild("T", Date);
    std::vector<uint8_t> stream = HtmlItemStream::make(*root);
    stream[0] = 'r';
    EXPECT_EQ(pageOf(stream).written, false);
    EXPECT_EQ(pageOf(stream).bytes, "");
    const std::vector<uint8_t> shortStream(kItemStreamHeader, kItemStreamHeader + 5);
    EXPECT_EQ(pageOf(shortStream).written, false);
    EXPECT_EQ(pageOf(shortStream).bytes, "");
    EXPECT_EQ(pageOf(std::vector<uint8_t>()).written, false);
}

TEST(HtmlPageWriterTest, StreamCutShortFailsAndKeepsWhatWasWritten)
{
    ItemRef root = BookmarkItem::create();
    addLink(*root->addGroupChild("T", Date)->addGroupChild("A", Date), "L", "http://l/");
    std::vector<uint8_t> stream = HtmlItemStream::make(*root);
    stream.resize(stream.size() - 3);

    const Page page = pageOf(stream);

    EXPECT_FALSE(page.written);
    EXPECT_EQ(page.bytes, head("T") + "<hr><ul>\r\n<li><a href=\"#000\">A</a>");
}

TEST(HtmlPageWriterTest, ImpossibleRecordsFail)
{
    std::vector<uint8_t> fewStrings = headerOnly();
    appendRecord(fewStrings, ItemType::Group, 0, "root", 3);
    EXPECT_FALSE(pageOf(fewStrings).written);

    std::vector<uint8_t> manyChildren = headerOnly();
    appendRecord(manyChildren, ItemType::Group, 1000000, "root");
    EXPECT_FALSE(pageOf(manyChildren).written);
    EXPECT_EQ(pageOf(manyChildren).bytes, "");
}

TEST(HtmlPageWriterTest, UnknownTypesWriteNothingOfTheirOwn)
{
    std::vector<uint8_t> stream = headerOnly();
    appendRecord(stream, ItemType::Group, 1, "");
    appendRecord(stream, ItemType::Group, 2, "T");
    appendRecord(stream, static_cast<ItemType>(7), 1, "odd");
    appendRecord(stream, ItemType::Group, 0, "sub");
    appendRecord(stream, ItemType::Group, 1, "A");
    appendRecord(stream, static_cast<ItemType>(-1), 0, "odd too");

    const Page page = pageOf(stream);

    ASSERT_TRUE(page.written);
    EXPECT_EQ(page.bytes, head("T") +
                              "<hr><ul>\r\n<li><a href=\"#000\">A</a></li>\r\n</ul><hr>\r\n"
                              "<ul>\r\n<h3><a name=\"000_00\"></a>sub</h3>\r\n"
                              "<h2><a name=\"000\"></a>A</h2>\r\n</ul>\r\n" +
                              End);
}

// Nesting as deep as the bytes allow must not exhaust the stack.
TEST(HtmlPageWriterTest, VeryDeepNestingIsWalkedWithoutRecursion)
{
    constexpr int Depth = 200000;
    std::vector<uint8_t> stream = headerOnly();
    for (int depth = 0; depth < Depth; ++depth) appendRecord(stream, ItemType::Group, depth + 1 < Depth ? 1 : 0, "g");

    const Page page = pageOf(stream);

    ASSERT_TRUE(page.written);
    size_t headings = 0;
    for (size_t at = page.bytes.find("<h3>g</h3>"); at != std::string::npos; at = page.bytes.find("<h3>g</h3>", at + 1))
        ++headings;
    EXPECT_EQ(headings, static_cast<size_t>(Depth - 4));
}

}  // namespace
