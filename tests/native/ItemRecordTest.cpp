#include "model/ItemRecord.h"

#include "framework/ArchiveException.h"
#include "framework/MemoryFile.h"
#include "model/HtmlEscape.h"
#include "model/SException.h"
#include "tests/common/ExpectSameTree.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Spells out an expected stream field by field.
class StreamBuilder {
public:
    StreamBuilder& header()
    {
        bytes_.insert(bytes_.end(), kItemStreamHeader, kItemStreamHeader + sizeof kItemStreamHeader);
        return *this;
    }
    StreamBuilder& int32(int32_t value)
    {
        const auto bits = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(uint8_t(bits >> shift));
        return *this;
    }
    StreamBuilder& string(const std::string& text)
    {
        int32(static_cast<int32_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    StreamBuilder& record(int32_t type, int32_t childCount, std::initializer_list<std::string> strings)
    {
        int32(type).int32(childCount).int32(static_cast<int32_t>(strings.size()));
        for (const std::string& text : strings) string(text);
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

Bytes written(const BookmarkItem& item, uint32_t options)
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemRecord(archive, item, options);
    archive.close();
    return file.detach();
}

ItemRef readRecord(const Bytes& bytes)
{
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load);
    ItemRef item = BookmarkItem::create();
    readItemRecord(archive, *item);
    EXPECT_EQ(archive.bytesRemaining(), 0u) << "record did not end where the stream ends";
    return item;
}

ArchiveException::Cause readFailure(const Bytes& bytes)
{
    try {
        readRecord(bytes);
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "stream of " << bytes.size() << " bytes was accepted";
    return ArchiveException::Cause::Generic;
}

// root
//  +- group "日本語" (marks "01")
//  |   +- url "A & B" (marks "10001")
//  |   +- separator
//  +- group-url "表"
ItemRef sampleBook()
{
    ItemRef root = BookmarkItem::create();
    ItemRef group = root->addGroupChild("日本語", "2003/04/05");
    group->setMark(1, true);
    ItemRef url = group->addUrlChild("A & B", "http://x/?a=1&b=2", "<b>\r\nzwei", "2004/01/02");
    url->setMark(0, true);
    url->setMark(4, true);
    ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("2005/06/07");
    group->appendChild(separator);
    ItemRef groupUrl = BookmarkItem::create();
    groupUrl->makeGroupUrl("表", "http://g/", "", "2006/01/01");
    root->appendChild(groupUrl);
    return root;
}

// A chain of `depth` nested groups, each the only child of the one above.
Bytes chainOfDepth(int depth)
{
    StreamBuilder stream;
    for (int level = 1; level <= depth; ++level) stream.record(0, level < depth ? 1 : 0, {"", "", "", "", ""});
    return stream.bytes();
}

TEST(HtmlEscape, MarkupBytesBecomeEntitiesAndEverySpaceIsReplaced)
{
    const std::string escaped = htmlEscape("A & B");
    EXPECT_EQ(escaped, "A&nbsp;&amp;&nbsp;B");
    EXPECT_EQ(escaped.size(), 19u);
    EXPECT_EQ(htmlEscape("\"<a>\"  x"), "&quot;&lt;a&gt;&quot;&nbsp;&nbsp;x");
    EXPECT_EQ(htmlEscape(""), "");
}

TEST(HtmlEscape, DoubleByteCharactersPassWhole)
{
    EXPECT_EQ(htmlEscape("表示 ソフト"), "表示&nbsp;ソフト");           // trail bytes 0x5C
    EXPECT_EQ(htmlEscape("\x81\x40\xFC\xFC"), "\x81\x40\xFC\xFC");  // edges of both ranges
    EXPECT_EQ(htmlEscape("\xB1\xB2"), "\xB1\xB2");                  // half-width katakana
}

TEST(HtmlEscape, LeadByteWithoutTrailIsCopiedAlone)
{
    EXPECT_EQ(htmlEscape("ab\x81"), "ab\x81");
    EXPECT_EQ(htmlEscape("\x81<"), "\x81&lt;");
    EXPECT_EQ(htmlEscape("\xE0 "), "\xE0&nbsp;");
}

TEST(ItemRecordWriter, PlainRecordIsByteExact)
{
    const Bytes expected = StreamBuilder()
                               .record(0, 2, {"", "", "", "", ""})
                               .record(0, 2, {"日本語", "", "", "2003/04/05", "01"})
                               .record(1, 0, {"A & B", "http://x/?a=1&b=2", "<b>\r\nzwei", "2004/01/02", "10001"})
                               .record(3, 0, {"", "", "", "2005/06/07", ""})
                               .record(2, 0, {"表", "http://g/", "", "2006/01/01", ""})
                               .bytes();
    EXPECT_EQ(written(*sampleBook(), WriteNone), expected);
}

TEST(ItemRecordWriter, StreamStartsWithTheHeader)
{
    ItemRef root = BookmarkItem::create();
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemStream(archive, *root, WriteNone);
    archive.close();
    EXPECT_EQ(file.bytes(), StreamBuilder().header().record(0, 0, {"", "", "", "", ""}).bytes());
    EXPECT_EQ(std::string(file.bytes().begin(), file.bytes().begin() + 8), "Ravlo001");
}

TEST(ItemRecordWriter, EscapingTouchesTitleAndMessageOnly)
{
    ItemRef item = BookmarkItem::create();
    item->makeUrl("A & B", "http://x/?a&b", "<\x81", "a b");
    const Bytes expected =
        StreamBuilder().record(1, 0, {"A&nbsp;&amp;&nbsp;B", "http://x/?a&b", "&lt;\x81", "a b", ""}).bytes();
    EXPECT_EQ(written(*item, HtmlEscape), expected);
    // The escaped title's length, 19, stands in front of it.
    EXPECT_EQ(Bytes(expected.begin() + 12, expected.begin() + 16), (Bytes{19, 0, 0, 0}));
}

// root
//  +- Top1              (no marks, nothing below matches: kept, no children)
//  |   +- u0            (no marks)
//  +- Top2
//      +- Deep          (group-url without marks, kept for its children)
//          +- Hit <1>   (mark 0)
//          +- Miss      (no marks)
//          +- Hit 2     (marks "1")
//          +- Other     (marks "01": mark 1 only)
class FilteredOutput : public testing::Test {
protected:
    void SetUp() override
    {
        ItemRef top1 = root->addGroupChild("Top1", "d1");
        top1->addUrlChild("u0", "http://0/", "", "d0");
        ItemRef top2 = root->addGroupChild("Top2", "d2");
        deep->makeGroupUrl("Deep", "http://deep/", "note", "d3");
        top2->appendChild(deep);
        deep->addUrlChild("Hit <1>", "http://1/", "m 1", "d4")->setMark(0, true);
        deep->addUrlChild("Miss", "http://m/", "", "d5");
        hit2 = deep->addUrlChild("Hit 2", "http://2/", "", "d6");
        hit2->marks = "1";
        deep->addUrlChild("Other", "http://o/", "", "d7")->setMark(1, true);

        MarkFilter filter;
        filter.all = false;
        filter.mark[0] = true;
        root->applyFilter(filter);
    }

    ItemRef root = BookmarkItem::create();
    ItemRef deep = BookmarkItem::create();
    ItemRef hit2;
};

TEST_F(FilteredOutput, KeepsMatchesWithTheirAncestorsWithoutMarks)
{
    const Bytes expected = StreamBuilder()
                               .record(0, 2, {"", "", "", ""})
                               .record(0, 0, {"Top1", "", "", "d1"})
                               .record(0, 1, {"Top2", "", "", "d2"})
                               .record(2, 2, {"Deep", "", "note", "d3"})
                               .record(1, 0, {"Hit&nbsp;&lt;1&gt;", "http://1/", "m&nbsp;1", "d4"})
                               .record(1, 0, {"Hit&nbsp;2", "http://2/", "", "d6"})
                               .bytes();
    EXPECT_EQ(written(*root, Filtered | HtmlEscape), expected);
}

TEST_F(FilteredOutput, ChildCountAgreesWithTheRecordsAfterTheTreeChanged)
{
    deep->children.removeAt(std::prev(deep->children.end(), 2));  // "Hit 2", still counted by the filter
    ItemRef readBack = readRecord(written(*root, Filtered));
    const BookmarkItem& readDeep = *readBack->children.back()->children.front();
    ASSERT_EQ(readDeep.children.size(), 1u);
    EXPECT_EQ(readDeep.children.front()->title, "Hit <1>");
}

TEST(ItemRecordReader, RoundTripKeepsTypesTextsMarksAndOrder)
{
    ItemRef book = sampleBook();
    book->children.front()->marks = "0x";
    expectSameTree(*book, *readRecord(written(*book, WriteNone)));
}

TEST(ItemRecordReader, RecordsWithoutHeaderReadOneAfterAnother)
{
    const Bytes bytes = StreamBuilder()
                            .record(1, 0, {"first", "u", "", "", ""})
                            .record(0, 1, {"second", "", "", "", ""})
                            .record(3, 0, {"", "", "", "", ""})
                            .bytes();
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load);
    BookmarkItem first;
    BookmarkItem second;
    readItemRecord(archive, first);
    readItemRecord(archive, second);
    EXPECT_EQ(first.title, "first");
    EXPECT_EQ(second.title, "second");
    ASSERT_EQ(second.children.size(), 1u);
    EXPECT_TRUE(second.children.front()->isSeparator());
}

TEST(ItemRecordReader, FourStringsGiveEmptyMarks)
{
    ItemRef item = readRecord(StreamBuilder().record(1, 0, {"t", "u", "m", "d"}).bytes());
    EXPECT_EQ(item->title, "t");
    EXPECT_EQ(item->url, "u");
    EXPECT_EQ(item->message, "m");
    EXPECT_EQ(item->date, "d");
    EXPECT_EQ(item->marks, "");
}

TEST(ItemRecordReader, StringsAfterTheMarksAreSkipped)
{
    const Bytes bytes = StreamBuilder()
                            .record(0, 2, {"root", "", "", "", "101", "later", "more"})
                            .record(1, 0, {"a", "", "", "", ""})
                            .record(1, 0, {"b", "", "", "", ""})
                            .bytes();
    ItemRef root = readRecord(bytes);
    EXPECT_EQ(root->marks, "101");
    ASSERT_EQ(root->children.size(), 2u);
    EXPECT_EQ(root->children.front()->title, "a");
    EXPECT_EQ(root->children.back()->title, "b");
}

TEST(ItemRecordReader, TypeIsStoredAsRead)
{
    EXPECT_EQ(static_cast<uint32_t>(readRecord(StreamBuilder().record(7, 0, {"", "", "", ""}).bytes())->type), 7u);
}

TEST(ItemRecordReader, FewerThanFourStringsThrowsSExceptionKeepingWhatWasRead)
{
    for (int32_t stringCount : {3, 0, -1, INT32_MIN}) {
        const Bytes bytes = StreamBuilder()
                                .record(0, 2, {"root", "", "", "", ""})
                                .record(1, 0, {"kept", "", "", "", ""})
                                .int32(1)
                                .int32(0)
                                .int32(stringCount)
                                .string("")
                                .string("")
                                .string("")
                                .bytes();
        MemoryFile file(bytes.data(), bytes.size());
        Archive archive(file, Archive::Mode::Load);
        BookmarkItem root;
        try {
            readItemRecord(archive, root);
            ADD_FAILURE() << "accepted stringCount " << stringCount;
        } catch (const SException& e) {
            EXPECT_EQ(e.message(), "Itemに付属する文字列の数に対応できません。");
            EXPECT_EQ(e.message().substr(0, 6), "Item\x82\xC9");  // code page 932 text
            EXPECT_EQ(e.code(), 0);
        }
        ASSERT_EQ(root.children.size(), 1u);
        EXPECT_EQ(root.children.front()->title, "kept");
    }
}

TEST(ItemRecordReader, ANegativeChildCountReadsAsALeaf)
{
    const ItemRef root = readRecord(StreamBuilder().record(0, -1, {"leaf", "", "", "", ""}).bytes());
    EXPECT_EQ(root->title, "leaf");
    EXPECT_TRUE(root->children.empty());
}

// A bad child of only its three numbers is still reported for its strings,
// not taken for a stream too short for its children.
TEST(ItemRecordReader, AShortChildWithTooFewStringsGetsItsOwnMessage)
{
    const Bytes bytes = StreamBuilder().record(0, 1, {"root", "", "", "", ""}).int32(1).int32(0).int32(3).bytes();
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load);
    BookmarkItem root;
    EXPECT_THROW(readItemRecord(archive, root), SException);
}

TEST(ItemRecordReader, ImpossibleCountsAndLengthsAreFormatErrors)
{
    using Cause = ArchiveException::Cause;
    EXPECT_EQ(readFailure(StreamBuilder().record(0, INT32_MAX, {"", "", "", "", ""}).bytes()), Cause::BadFormat);
    // Three children need at least 36 more bytes; one empty child record of 28 is there.
    EXPECT_EQ(readFailure(StreamBuilder().record(0, 3, {"", "", "", "", ""}).record(1, 0, {"", "", "", ""}).bytes()),
              Cause::BadFormat);
    EXPECT_EQ(readFailure(StreamBuilder().record(0, 2, {"", "", "", "", ""}).record(1, 0, {"", "", "", ""}).bytes()),
              Cause::EndOfFile);
    EXPECT_EQ(readFailure(StreamBuilder().int32(1).int32(0).int32(INT32_MAX).string("").bytes()), Cause::BadFormat);
    EXPECT_EQ(readFailure(StreamBuilder().int32(1).int32(0).int32(4).int32(INT32_MAX).bytes()), Cause::BadFormat);
    EXPECT_EQ(readFailure(StreamBuilder().int32(1).int32(0).int32(4).int32(-5).bytes()), Cause::BadFormat);
}

TEST(ItemRecordReader, TruncationAtEveryOffsetIsAnArchiveError)
{
    const Bytes full = written(*sampleBook(), WriteNone);
    for (size_t size = 0; size < full.size(); ++size) {
        const Bytes cut(full.begin(), full.begin() + static_cast<long>(size));
        MemoryFile file(cut.data(), cut.size());
        Archive archive(file, Archive::Mode::Load);
        BookmarkItem root;
        EXPECT_THROW(readItemRecord(archive, root), ArchiveException) << "cut at " << size;
    }
}

TEST(ItemRecordReader, NestingUpToTheLimitReadsWritesAndFrees)
{
    const Bytes chain = chainOfDepth(kMaxItemDepth);
    ItemRef root = readRecord(chain);
    int depth = 1;
    for (const BookmarkItem* item = root.get(); !item->children.empty(); item = item->children.front().get())
        ++depth;
    EXPECT_EQ(depth, kMaxItemDepth);
    EXPECT_EQ(written(*root, WriteNone), chain);
    // The HTML output's passes over the same tree.
    root->applyFilter(MarkFilter());
    root->setDragging(1);
    EXPECT_EQ(written(*root, Filtered | HtmlEscape).size(), chain.size() - 4u * kMaxItemDepth);
    root.reset();
}

TEST(ItemRecordReader, NestingPastTheLimitIsAFormatError)
{
    EXPECT_EQ(readFailure(chainOfDepth(kMaxItemDepth + 1)), ArchiveException::Cause::BadFormat);
}

class ItemStreamReader : public testing::Test {
protected:
    void read(const Bytes& bytes)
    {
        MemoryFile file(bytes.data(), bytes.size());
        Archive archive(file, Archive::Mode::Load);
        readItemStream(archive, *root);
    }
    ItemRef root = BookmarkItem::create();
};

TEST_F(ItemStreamReader, ReadsTheRootAfterTheHeader)
{
    ItemRef book = sampleBook();
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemStream(archive, *book, WriteNone);
    archive.close();
    read(file.bytes());
    expectSameTree(*book, *root);
}

TEST_F(ItemStreamReader, OtherOrShortHeaderLeavesTheRootUntouched)
{
    root->title = "untouched";
    Bytes otherHeader{'R', 'a', 'v', 'l', 'o', '0', '0', '2'};
    const Bytes record = StreamBuilder().record(1, 0, {"read", "", "", "", ""}).bytes();
    otherHeader.insert(otherHeader.end(), record.begin(), record.end());
    read(otherHeader);
    read({'R', 'a', 'v'});
    read({});
    EXPECT_EQ(root->title, "untouched");
    EXPECT_TRUE(root->children.empty());
}

TEST_F(ItemStreamReader, TruncatedAfterTheHeaderIsAnArchiveError)
{
    const Bytes full = StreamBuilder().header().record(0, 1, {"", "", "", "", ""}).record(1, 0, {"x", "", "", ""}).bytes();
    for (size_t size = sizeof kItemStreamHeader; size < full.size(); ++size) {
        EXPECT_THROW(read(Bytes(full.begin(), full.begin() + static_cast<long>(size))), ArchiveException)
            << "cut at " << size;
    }
}

}  // namespace

TEST(ItemStreamMark, TellsAStreamFromAnXmlBookByItsFirstFiveBytes)
{
    const auto startsWithMark = [](const std::string& bytes) {
        MemoryFile file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return startsWithStreamMark(file);
    };
    EXPECT_TRUE(startsWithMark("Ravlo001"));
    EXPECT_TRUE(startsWithMark("Ravlo"));
    EXPECT_FALSE(startsWithMark("Ravl"));
    EXPECT_FALSE(startsWithMark("<?xml version=\"1.0\"?><Ravlo/>"));
    EXPECT_FALSE(startsWithMark("ravlo001"));
    EXPECT_FALSE(startsWithMark(""));
}
