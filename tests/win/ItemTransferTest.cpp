// What a drop may do with a data object, and the items each kind of dropped
// data becomes: the program's own records, a link from a browser page, a
// browser's virtual shortcut files and shortcut files from the shell. Data
// from other programs is hostile: it must never crash, hang or run away.

#include "FrameworkTestSupport.h"
#include "TestDataObject.h"
#include "framework/ComRef.h"
#include "framework/ArchiveException.h"
#include "framework/MemoryFile.h"
#include "model/ItemRecord.h"
#include "model/SException.h"
#include "platform/CodePage.h"
#include "views/ItemTransfer.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

namespace {

using dndtest::TestDataObject;
using dndtest::int32Bytes;
using dndtest::registeredFormat;

const char* const kDate = "2004/05/06";

// The ANSI file group descriptor as the shell declares it; `count` may lie.
std::string fileGroupDescriptor(const std::vector<std::string>& names, int32_t count)
{
    std::string block = int32Bytes(count);
    for (const std::string& name : names) {
        FILEDESCRIPTORA descriptor{};
        std::memcpy(descriptor.cFileName, name.data(), std::min(name.size(), sizeof descriptor.cFileName - 1));
        block.append(reinterpret_cast<const char*>(&descriptor), sizeof descriptor);
    }
    return block;
}

std::string fileGroupDescriptor(const std::vector<std::string>& names)
{
    return fileGroupDescriptor(names, static_cast<int32_t>(names.size()));
}

// A wide drop list: the header, each path with its NUL, and the closing NUL.
std::string dropFiles(const std::vector<std::wstring>& paths)
{
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    return std::string(reinterpret_cast<const char*>(&header), sizeof header) +
           std::string(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
}

std::string shortcutText(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}

std::string recordBytes(const std::vector<ItemRef>& items)
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    for (const ItemRef& item : items) writeItemRecord(archive, *item, WriteNone);
    archive.close();
    return std::string(file.bytes().begin(), file.bytes().end());
}

std::string utf8(const std::string& text932)
{
    return CodePage::toUtf8(text932);
}

class ItemTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        transfer.registerFormats();
        data = TestDataObject::make();
    }
    void TearDown() override { EXPECT_EQ(0u, data->foreignReferences()) << "a medium was not released"; }

    size_t read() { return transfer.readItems(data.get(), items, kDate); }
    // A Url item made from foreign data: dated, no message, no marks.
    void expectForeignLink(const ItemRef& item, const std::string& title, const std::string& url)
    {
        EXPECT_EQ(ItemType::Url, item->type);
        EXPECT_EQ(utf8(title), utf8(item->title));
        EXPECT_EQ(url, item->url);
        EXPECT_EQ("", item->message);
        EXPECT_EQ(kDate, item->date);
        EXPECT_EQ("", item->marks);
        EXPECT_TRUE(item->children.empty());
    }

    const CLIPFORMAT itemData = registeredFormat(L"Ravlo001");
    const CLIPFORMAT itemCount = registeredFormat(L"RavloCounter001");
    const CLIPFORMAT html = registeredFormat(L"HTML Format");
    const CLIPFORMAT descriptor = registeredFormat(L"FileGroupDescriptor");
    const CLIPFORMAT contents = registeredFormat(L"FileContents");
    const CLIPFORMAT netscape = registeredFormat(L"Netscape Bookmark");

    ItemTransfer transfer;
    ComRef<TestDataObject> data;
    std::vector<ItemRef> items;
};

TEST_F(ItemTransferTest, FirstOfferedKindDecidesTheEffect)
{
    struct Case {
        const char* name;
        std::vector<CLIPFORMAT> formats;
        DWORD plain;
        DWORD withCtrl;
    };
    const std::vector<Case> cases = {
        {"own items", {itemData, itemCount}, DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {"own items before a link", {html, itemCount, itemData}, DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {"records without their count", {itemData, html}, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"count alone", {itemCount}, DROPEFFECT_NONE, DROPEFFECT_NONE},
        {"link", {html}, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"virtual files", {descriptor, netscape}, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"shell files", {CF_HDROP}, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"plain text", {CF_TEXT, CF_UNICODETEXT}, DROPEFFECT_NONE, DROPEFFECT_NONE},
        {"browser marker alone", {netscape}, DROPEFFECT_NONE, DROPEFFECT_NONE},
        {"contents without descriptor", {contents}, DROPEFFECT_NONE, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        const ComRef<TestDataObject> offered = TestDataObject::make();
        for (CLIPFORMAT format : c.formats) offered->offer(format, "x");
        EXPECT_EQ(c.plain, transfer.canAccept(offered.get(), MK_LBUTTON)) << c.name;
        EXPECT_EQ(c.withCtrl, transfer.canAccept(offered.get(), MK_LBUTTON | MK_CONTROL)) << c.name;
    }
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), transfer.canAccept(nullptr, 0));
}

TEST_F(ItemTransferTest, OwnItemsKeepTheirDatesMarksAndSubtrees)
{
    const ItemRef group = BookmarkItem::create();
    group->makeGroup("グループ", "2001/02/03");
    group->addUrlChild("子", "http://child/", "メモ", "2001/02/04")->setMark(2, true);
    const ItemRef link = BookmarkItem::create();
    link->makeUrl("リンク", "http://link/", "", "2001/02/05");
    link->setMark(0, true);
    data->offer(itemData, recordBytes({group, link}));
    data->offer(itemCount, int32Bytes(2));
    data->offer(html, "<a href=\"http://ignored/\">x</a>");

    ASSERT_EQ(2u, read());

    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(utf8("グループ"), utf8(items[0]->title));
    EXPECT_EQ("2001/02/03", items[0]->date);
    ASSERT_EQ(1u, items[0]->children.size());
    const ItemRef& child = items[0]->children.front();
    EXPECT_EQ(items[0].get(), child->parent);
    EXPECT_EQ("http://child/", child->url);
    EXPECT_EQ(utf8("メモ"), utf8(child->message));
    EXPECT_TRUE(child->hasMark(2));
    EXPECT_EQ(ItemType::Url, items[1]->type);
    EXPECT_EQ("2001/02/05", items[1]->date);
    EXPECT_EQ(link->marks, items[1]->marks);
}

TEST_F(ItemTransferTest, ItemsAreAppendedAfterWhatTheListHeld)
{
    items.push_back(BookmarkItem::create());
    data->offer(html, "<a href=\"http://a/\">A</a>");

    EXPECT_EQ(1u, read());

    ASSERT_EQ(2u, items.size());
    EXPECT_EQ("http://a/", items[1]->url);
}

TEST_F(ItemTransferTest, LinkFromAPageBecomesOneDatedUrlItem)
{
    // The browser's UTF-8, header lines and all; the wave dash must come out as 932's own.
    const std::string fragment = u8"Version:0.9\r\nStartHTML:00000097\r\nEndHTML:00000200\r\n"
                                 u8"<html><body><!--StartFragment--><p>前<a href=\"http://例.jp/a?b=1&c=2\">"
                                 u8"<b>日本語</b>〜テスト</a><a href=\"http://second/\">二</a><!--EndFragment-->";
    data->offer(html, fragment + std::string(1, '\0') + "trailing bytes after the text");

    ASSERT_EQ(1u, read());

    ASSERT_EQ(1u, items.size());
    expectForeignLink(items[0], std::string("日本語") + "\x81\x60" + "テスト", CodePage::fromUtf8(u8"http://例.jp/a?b=1&c=2"));
}

TEST_F(ItemTransferTest, LinkTextWithoutTerminatorInsideItsBlockIsReadToTheBlockEnd)
{
    data->offer(html, "<a href=\"http://end/\">end</a>");

    ASSERT_EQ(1u, read());
    expectForeignLink(items[0], "end", "http://end/");
}

TEST_F(ItemTransferTest, FragmentWithoutACompleteFirstLinkGivesNothing)
{
    for (const std::string& fragment :
         {std::string("<a href=\"http://a/\">never closed</b>"),
          std::string("<a name=\"top\">no href</a><a href=\"http://b/\">b</a>"), std::string("no link at all"),
          std::string("<!DOCTYPE html><a href=\"http://a/\">a</a>")}) {
        const ComRef<TestDataObject> offered = TestDataObject::make();
        offered->offer(html, fragment + std::string(1, '\0'));
        EXPECT_EQ(0u, transfer.readItems(offered.get(), items, kDate)) << fragment;
    }
    EXPECT_TRUE(items.empty());
}

TEST_F(ItemTransferTest, VirtualShortcutsAreTitledByTheirFileNames)
{
    data->offer(descriptor, fileGroupDescriptor({"Page.URL", "no url.url", "page.htm", "no contents.url", "x.Url"}));
    data->offer(contents, shortcutText("http://page/"), 0);
    data->offer(contents, "[Other]\r\nURL=http://wrong/\r\n", 1);
    data->offer(contents, "URL=http://before/\r\n[InternetShortcut]\nURL=http://htm/ \n", 2);
    data->offerStream(contents, shortcutText("http://stream/"), 4);

    ASSERT_EQ(3u, read());

    ASSERT_EQ(3u, items.size());
    expectForeignLink(items[0], "Page", "http://page/");
    expectForeignLink(items[1], "page.htm", "http://htm/ ");
    expectForeignLink(items[2], "x", "http://stream/");
}

TEST_F(ItemTransferTest, ShortcutPrefixIsCutOnlyForANetscapeBrowser)
{
    const std::string name = "ショートカット 日本のページ.url";
    for (const bool fromNetscape : {true, false}) {
        const ComRef<TestDataObject> offered = TestDataObject::make();
        offered->offer(descriptor, fileGroupDescriptor({name}));
        offered->offer(contents, shortcutText("http://jp/"), 0);
        if (fromNetscape) offered->offer(netscape, "");
        std::vector<ItemRef> read;

        ASSERT_EQ(1u, transfer.readItems(offered.get(), read, kDate));

        EXPECT_EQ(utf8(fromNetscape ? "日本のページ" : "ショートカット 日本のページ"), utf8(read[0]->title));
    }
}

TEST_F(ItemTransferTest, ShellShortcutFilesBecomeItemsTitledByTheirBaseNames)
{
    fwtest::TempFolder folder;
    std::vector<std::wstring> paths;
    const auto addFile = [&](const std::string& name, const std::string& text) {
        const std::string path = folder.File(name);
        std::ofstream(CodePage::toWide(path).c_str(), std::ios::binary) << text;
        paths.push_back(CodePage::toWide(path));
    };
    addFile("一つ目.url", shortcutText("http://one/"));
    addFile("notes.txt", shortcutText("http://text/"));
    addFile("Two.URL", "[InternetShortcut]\r\nURL=http://two/\r\n");
    addFile("empty.url", "[InternetShortcut]\r\n");
    addFile("three.d.url", shortcutText("http://three/"));
    data->offer(CF_HDROP, dropFiles(paths));

    ASSERT_EQ(3u, read());

    ASSERT_EQ(3u, items.size());
    expectForeignLink(items[0], "一つ目", "http://one/");
    expectForeignLink(items[1], "Two", "http://two/");
    expectForeignLink(items[2], "three.d", "http://three/");
}

TEST_F(ItemTransferTest, ForeignDataOfNoKnownKindGivesNothing)
{
    data->offer(CF_TEXT, "http://text/");
    data->offer(netscape, "");

    EXPECT_EQ(0u, read());
    EXPECT_TRUE(items.empty());
}

TEST_F(ItemTransferTest, BadOwnRecordsRaiseTheRecordErrors)
{
    // A link without children carrying three strings where a record needs at least four.
    const std::string shortRecord =
        int32Bytes(1) + int32Bytes(0) + int32Bytes(3) + int32Bytes(1) + "a" + int32Bytes(1) + "b" + int32Bytes(1) + "c";
    data->offer(itemData, shortRecord);
    data->offer(itemCount, int32Bytes(1));

    EXPECT_THROW(read(), SException);
}

TEST_F(ItemTransferTest, HostileBlocksNeverCrashOrRunAway)
{
    const ItemRef link = BookmarkItem::create();
    link->makeUrl("t", "http://t/", "", kDate);
    struct Case {
        const char* name;
        std::vector<std::pair<CLIPFORMAT, std::string>> blocks;
    };
    DROPFILES outside{};
    outside.pFiles = 4096;
    outside.fWide = TRUE;
    const std::string unterminated = dropFiles({L"C:\\a.url"});
    const std::vector<Case> cases = {
        {"counter of two bytes", {{itemData, recordBytes({link})}, {itemCount, std::string("\x01\x00", 2)}}},
        {"empty counter", {{itemData, recordBytes({link})}, {itemCount, ""}}},
        {"negative count", {{itemData, recordBytes({link})}, {itemCount, int32Bytes(-5)}}},
        {"empty link block", {{html, ""}}},
        {"descriptor of two bytes", {{descriptor, std::string("\x05\x00", 2)}}},
        {"descriptor count beyond its block", {{descriptor, fileGroupDescriptor({"a.url"}, 1000000)}}},
        {"negative descriptor count", {{descriptor, fileGroupDescriptor({"a.url"}, -1)}}},
        {"drop list shorter than its header", {{CF_HDROP, std::string("\x14\x00", 2)}}},
        {"drop list outside its block", {{CF_HDROP, std::string(reinterpret_cast<const char*>(&outside), sizeof outside)}}},
        {"drop list without its end", {{CF_HDROP, unterminated.substr(0, unterminated.size() - 4)}}},
    };
    for (const Case& c : cases) {
        const ComRef<TestDataObject> offered = TestDataObject::make();
        for (const auto& block : c.blocks) offered->offer(block.first, block.second);
        std::vector<ItemRef> read;
        EXPECT_NO_THROW(transfer.readItems(offered.get(), read, kDate)) << c.name;
        EXPECT_TRUE(read.empty()) << c.name;
        EXPECT_EQ(0u, offered->foreignReferences()) << c.name;
    }
}

TEST_F(ItemTransferTest, HugeCountOverATinyBlockIsAnErrorNotAHang)
{
    const ItemRef link = BookmarkItem::create();
    link->makeUrl("t", "http://t/", "", kDate);
    data->offer(itemData, recordBytes({link}));
    data->offer(itemCount, int32Bytes(1000000));
    const auto start = std::chrono::steady_clock::now();

    EXPECT_THROW(read(), ArchiveException);

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(ItemTransferTest, DescriptorThatClaimsMoreFilesThanItHoldsReadsThoseItHolds)
{
    data->offer(descriptor, fileGroupDescriptor({"held.url"}, 70000));
    data->offer(contents, shortcutText("http://held/"), 0);
    data->offer(contents, shortcutText("http://phantom/"), 1);

    ASSERT_EQ(1u, read());
    expectForeignLink(items[0], "held", "http://held/");
}

}  // namespace
