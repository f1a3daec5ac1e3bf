#include "model/BookXml.h"

#include "model/BookDepth.h"
#include "platform/CodePage.h"
#include "platform/ComInit.h"
#include "platform/FileSystem.h"
#include "tests/common/ExpectSameTree.h"

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

std::string readFile(const std::string& path)
{
    std::string bytes;
    if (std::FILE* file = FileSystem::open(path, "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::FILE* file = FileSystem::open(path, "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// A hand-written book: the declaration and the document element around `items`.
std::string bookText(const std::string& items, const std::string& namespaceText = "http://ravlo.tanvex.jp/Application/Ravlo/106",
                     const std::string& rootName = "Ravlo")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + rootName + " xmlns=\"" + namespaceText + "\">" + items +
           "</" + rootName + ">\n";
}

const BookmarkItem& childAt(const BookmarkItem& item, long index)
{
    return **std::next(item.children.begin(), index);
}

class BookXmlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        // 表 ends in the byte 0x5C: the folder name checks that paths are
        // handled by character, not by byte.
        folder_ = CodePage::fromWide(temp) + "表〜book" + std::to_string(GetCurrentProcessId()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryW(CodePage::toWide(folder_).c_str(), nullptr);
        path_ = folder_ + "\\book.rvl";
    }

    void TearDown() override
    {
        for (const std::string& name : filesInFolder()) {
            const std::wstring wide = CodePage::toWide(folder_ + "\\" + name);
            SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(wide.c_str());
        }
        RemoveDirectoryW(CodePage::toWide(folder_).c_str());
    }

    std::vector<std::string> filesInFolder() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(CodePage::toWide(folder_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(CodePage::fromWide(found.cFileName));
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    // Loads a hand-written book; the test fails when it does not load as `expected`.
    void loadText(const std::string& text, BookmarkItem& root, BookLoad expected = BookLoad::Read)
    {
        writeFile(path_, text);
        ASSERT_EQ(expected, loadBook(path_, root));
    }

    void saveAndReload(const BookmarkItem& root, BookmarkItem& reloaded)
    {
        ASSERT_TRUE(saveBook(path_, root));
        ASSERT_EQ(BookLoad::Read, loadBook(path_, reloaded));
    }

    std::string folder_;
    std::string path_;
};

// A small book with a bit of everything.
void fillSampleTree(BookmarkItem& root)
{
    const ItemRef top = root.addGroupChild("マイブックマーク", "2004/05/06");
    top->setMark(0, true);
    const ItemRef link = top->addUrlChild("表示〜ソフト & <能力>", "http://example.jp/a?b=1&c=\"2\"", "一行目\n二行目",
                                          "2004/05/07");
    link->marks = "01";
    const ItemRef groupUrl = BookmarkItem::create();
    groupUrl->makeGroupUrl("  blanks kept  ", "http://example.com/", "", "");
    top->appendChild(groupUrl);
    groupUrl->addUrlChild("", "", "", "");
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("2004/05/08");
    separator->marks = "11111";
    top->appendChild(separator);
    root.addGroupChild("", "");
}

TEST_F(BookXmlTest, SavedBookReloadsToTheSameTree)
{
    BookmarkItem root;
    fillSampleTree(root);
    BookmarkItem reloaded;
    saveAndReload(root, reloaded);
    expectSameTree(root, reloaded);
}

TEST_F(BookXmlTest, SavedBookIsUtf8WithTheNamespaceAndFieldsInOrder)
{
    BookmarkItem root;
    root.addUrlChild("表", "http://u/", "m", "d")->marks = "01";
    ASSERT_TRUE(saveBook(path_, root));
    const std::string text = readFile(path_);
    EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << text;
    EXPECT_NE(std::string::npos, text.find("<Ravlo xmlns=\"http://ravlo.tanvex.jp/Application/Ravlo/106\">")) << text;
    EXPECT_NE(std::string::npos, text.find(u8"<Title>表</Title>")) << text;
    const size_t title = text.find(u8"<Title>表");
    const size_t url = text.find("<URL>");
    const size_t message = text.find("<Message>m");
    const size_t date = text.find("<Date>d");
    const size_t mark = text.find("<Mark>01");
    EXPECT_LT(title, url);
    EXPECT_LT(url, message);
    EXPECT_LT(message, date);
    EXPECT_LT(date, mark);
    EXPECT_NE(std::string::npos, mark);
}

TEST_F(BookXmlTest, FieldsThatTheFileCannotHoldAsTheyAre)
{
    BookmarkItem root;
    const ItemRef group = root.addGroupChild("group", "");
    group->url = "http://lost/";  // a group's URL is not part of a book
    const ItemRef separator = BookmarkItem::create();
    separator->makeSeparator("");
    separator->url = "http://lost/";
    root.appendChild(separator);
    root.addUrlChild("control\x01\x1f chars", "u", "CR LF\r\nLF\nCR\rend", "");
    BookmarkItem reloaded;
    saveAndReload(root, reloaded);
    ASSERT_EQ(3u, reloaded.children.size());
    EXPECT_EQ("", childAt(reloaded, 0).url);
    EXPECT_EQ("", childAt(reloaded, 1).url);
    // Control characters would make the file unreadable as XML: they are dropped.
    EXPECT_EQ("control chars", childAt(reloaded, 2).title);
    // Every line break comes back as it was written.
    EXPECT_EQ("CR LF\r\nLF\nCR\rend", childAt(reloaded, 2).message);
}

TEST_F(BookXmlTest, TypeOutsideTheFourIsSavedAsTheLinkItReadsBackAs)
{
    BookmarkItem root;
    const ItemRef odd = root.addUrlChild("odd", "http://kept/", "", "");
    odd->type = static_cast<ItemType>(7);  // as a binary stream may hold it
    BookmarkItem reloaded;
    saveAndReload(root, reloaded);
    EXPECT_EQ(ItemType::Url, childAt(reloaded, 0).type);
    EXPECT_EQ("http://kept/", childAt(reloaded, 0).url);
}

TEST_F(BookXmlTest, HandWrittenIndentedBookReadsWithoutFormattingItems)
{
    BookmarkItem root;
    loadText(bookText(u8R"(
  <Item type="Group">
    <Title></Title>
    <ItemList>
      <Item type="Group">
        <Title>マイブックマーク</Title>
        <Message>  two
lines  </Message>
        <Date>2003/01/02</Date>
        <Mark>01</Mark>
        <ItemList>
          <Item type="Url">
            <Title> 表～ </Title>
            <URL>http://example.jp/?a=1&amp;b=2</URL>
          </Item>
          <Item type="Separator"/>
        </ItemList>
      </Item>
    </ItemList>
  </Item>
)"),
             root);
    ASSERT_EQ(1u, root.children.size());
    const BookmarkItem& top = childAt(root, 0);
    EXPECT_EQ("マイブックマーク", top.title);
    EXPECT_EQ("  two\nlines  ", top.message);
    EXPECT_EQ("2003/01/02", top.date);
    EXPECT_EQ("01", top.marks);  // not padded to five
    ASSERT_EQ(2u, top.children.size());
    EXPECT_EQ(ItemType::Url, childAt(top, 0).type);
    EXPECT_EQ(" 表〜 ", childAt(top, 0).title);
    EXPECT_EQ("http://example.jp/?a=1&b=2", childAt(top, 0).url);
    EXPECT_EQ(ItemType::Separator, childAt(top, 1).type);
    EXPECT_EQ("", childAt(top, 1).title);
}

TEST_F(BookXmlTest, TypeWordsAreExactAndAnythingElseIsALink)
{
    BookmarkItem root;
    loadText(bookText(R"(<Item type="Group"><ItemList>)"
                      R"(<Item type="Folder"><Title>folder</Title><Date>2001/01/01</Date></Item>)"
                      R"(<Item><Title>no type</Title></Item>)"
                      R"(<Item type="group"><Title>lower case</Title></Item>)"
                      R"(<Item type="GroupUrl"><Title>gu</Title><URL>http://g/</URL></Item>)"
                      R"(</ItemList></Item>)"),
             root);
    ASSERT_EQ(4u, root.children.size());
    EXPECT_EQ(ItemType::Url, childAt(root, 0).type);
    EXPECT_EQ("folder", childAt(root, 0).title);
    EXPECT_EQ("2001/01/01", childAt(root, 0).date);
    EXPECT_EQ(ItemType::Url, childAt(root, 1).type);
    EXPECT_EQ(ItemType::Url, childAt(root, 2).type);
    EXPECT_EQ(ItemType::GroupUrl, childAt(root, 3).type);
    EXPECT_EQ("http://g/", childAt(root, 3).url);
}

TEST_F(BookXmlTest, NodesInAnItemListThatAreNotItemsBecomeEmptyGroups)
{
    BookmarkItem root;
    loadText(bookText(R"(<Item type="Group"><ItemList>)"
                      R"(<Item type="Url"><Title>a</Title></Item>)"
                      R"(<!-- a comment -->)"
                      R"(<Other><Title>not an item</Title></Other>)"
                      R"(stray text)"
                      R"(<Item type="Url"><Title>b</Title></Item>)"
                      R"(</ItemList></Item>)"),
             root);
    ASSERT_EQ(5u, root.children.size());
    EXPECT_EQ("a", childAt(root, 0).title);
    for (long index = 1; index <= 3; ++index) {
        const BookmarkItem& empty = childAt(root, index);
        EXPECT_EQ(ItemType::Group, empty.type) << index;
        EXPECT_EQ("", empty.title) << index;
        EXPECT_TRUE(empty.children.empty()) << index;
    }
    EXPECT_EQ("b", childAt(root, 4).title);
}

TEST_F(BookXmlTest, RepeatedFieldWinsAndUnknownElementsAreIgnored)
{
    BookmarkItem root;
    loadText(bookText(R"(<Item type="Group"><ItemList><Item type="Url">)"
                      R"(<Title>first</Title><Extra>x</Extra><Title>second</Title><?Title pi?>)"
                      R"(<ItemList/></Item></ItemList></Item>)"),
             root);
    ASSERT_EQ(1u, root.children.size());
    EXPECT_EQ("second", childAt(root, 0).title);
    EXPECT_TRUE(childAt(root, 0).children.empty());
}

TEST_F(BookXmlTest, DocumentElementNameIsNotCheckedButItsNamespaceIs)
{
    const std::string items = R"(<Item type="Group"><ItemList><Item type="Url"><Title>t</Title></Item></ItemList></Item>)";
    BookmarkItem otherName;
    loadText(bookText(items, "http://ravlo.tanvex.jp/Application/Ravlo/106", "Bookmarks"), otherName);
    EXPECT_EQ(1u, otherName.children.size());

    for (const std::string& foreign : {std::string("http://ravlo.tanvex.jp/Application/Ravlo/105"),
                                       std::string("http://ravlo.tanvex.jp/Application/Ravlo/106/"), std::string()}) {
        BookmarkItem root;
        root.addGroupChild("before", "");
        loadText(bookText(items, foreign), root, BookLoad::Foreign);
        EXPECT_TRUE(root.children.empty()) << foreign;
    }

    // The namespace must be the document element's own, not one of a prefix.
    BookmarkItem prefixed;
    loadText("<?xml version=\"1.0\"?>\n<r:Ravlo xmlns:r=\"http://ravlo.tanvex.jp/Application/Ravlo/106\">" + items +
                 "</r:Ravlo>\n",
             prefixed, BookLoad::Foreign);
    EXPECT_TRUE(prefixed.children.empty());
}

TEST_F(BookXmlTest, FailedLoadLeavesTheTreeAlone)
{
    std::vector<std::string> unreadable = {
        "",
        "not xml at all",
        bookText("<Item type=\"Group\"><ItemList>"),  // cut short
        // Entity expansion: refused instead of growing without bound.
        "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
        "<Ravlo xmlns=\"http://ravlo.tanvex.jp/Application/Ravlo/106\"><Item><Title>&f;&f;&f;&f;</Title></Item></Ravlo>",
    };
    // Books with a DTD the DOM would take in, expanding or ignoring its entities.
    for (const char* name : {"entity-expansion.rvl", "entity-expansion-utf16.rvl", "external-entity.rvl"})
        unreadable.push_back(readFile(std::string("Z:") + RAVLO_TEST_DATA + "/" + name));
    for (const std::string& text : unreadable) {
        writeFile(path_, text);
        BookmarkItem root;
        root.addGroupChild("kept", "");
        EXPECT_EQ(BookLoad::Unreadable, loadBook(path_, root)) << text;
        ASSERT_EQ(1u, root.children.size());
        EXPECT_EQ("kept", childAt(root, 0).title);
    }
    BookmarkItem root;
    EXPECT_EQ(BookLoad::Unreadable, loadBook(folder_ + "\\missing.rvl", root));
    EXPECT_EQ(BookLoad::Unreadable, loadBook(folder_, root));
}

TEST_F(BookXmlTest, FailedSavesLeaveTheOldBookWhole)
{
    BookmarkItem oldRoot;
    oldRoot.addGroupChild("old", "");
    ASSERT_TRUE(saveBook(path_, oldRoot));
    const std::string oldBytes = readFile(path_);
    BookmarkItem newRoot;
    newRoot.addGroupChild("new", "");

    EXPECT_FALSE(saveBook(folder_ + "\\no such folder\\book.rvl", newRoot));

    const std::wstring widePath = CodePage::toWide(path_);
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(saveBook(path_, newRoot));
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(oldBytes, readFile(path_));

    const HANDLE holder = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(saveBook(path_, newRoot));
    CloseHandle(holder);
    EXPECT_EQ(oldBytes, readFile(path_));

    // Nothing but the book is left behind.
    EXPECT_EQ(std::vector<std::string>{"book.rvl"}, filesInFolder());
}

bool writeHalfThenFail(std::FILE* file, const std::string& bytes) noexcept
{
    std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
    return false;
}

TEST_F(BookXmlTest, InterruptedWriteLeavesTheOldBookWhole)
{
    BookmarkItem oldRoot;
    oldRoot.addGroupChild("old", "");
    ASSERT_TRUE(saveBook(path_, oldRoot));
    const std::string oldBytes = readFile(path_);
    BookmarkItem newRoot;
    fillSampleTree(newRoot);

    EXPECT_FALSE(saveBook(path_, newRoot, writeHalfThenFail));
    EXPECT_EQ(oldBytes, readFile(path_));
    EXPECT_EQ(std::vector<std::string>{"book.rvl"}, filesInFolder());

    // A new book is not created either.
    const std::string fresh = folder_ + "\\fresh.rvl";
    EXPECT_FALSE(saveBook(fresh, newRoot, writeHalfThenFail));
    EXPECT_FALSE(FileSystem::exists(fresh));
}

// A leftover at `path` last written `hours` from now; its name.
std::string leftover(const std::string& path, int hours)
{
    writeFile(path, "x");
    ULARGE_INTEGER time;
    GetSystemTimeAsFileTime(reinterpret_cast<FILETIME*>(&time));
    time.QuadPart += hours * 36000000000LL;
    const HANDLE file = CreateFileW(CodePage::toWide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, reinterpret_cast<FILETIME*>(&time));
    CloseHandle(file);
    return path.substr(path.rfind('\\') + 1);
}

TEST_F(BookXmlTest, SaveRemovesOnlyWhatKilledSavesOfTheSameBookLeftBehind)
{
    leftover(FileSystem::temporaryPathFor(path_), -1);
    const std::set<std::string> kept = {"book.rvl", leftover(FileSystem::temporaryPathFor(path_), 1),  // still saving
                                        leftover(FileSystem::temporaryPathFor(folder_ + "\\other.rvl"), -1),
                                        leftover(folder_ + "\\~rvNOTOURS.tmp", -1)};
    ASSERT_TRUE(saveBook(path_, BookmarkItem()));
    const std::vector<std::string> left = filesInFolder();
    EXPECT_EQ(kept, std::set<std::string>(left.begin(), left.end()));
}

// Builds Item/ItemList/Item/... `levels` items deep directly in a DOM.
ComPtr<IXMLDOMElement> deepItemChain(IXMLDOMDocument& document, int levels)
{
    const auto element = [&document](const wchar_t* name) {
        ComPtr<IXMLDOMElement> created;
        BSTR text = SysAllocString(name);
        EXPECT_EQ(S_OK, document.createElement(text, created.GetAddressOf()));
        SysFreeString(text);
        return created;
    };
    const ComPtr<IXMLDOMElement> top = element(L"Item");
    ComPtr<IXMLDOMElement> current = top;
    for (int level = 1; level < levels; ++level) {
        const ComPtr<IXMLDOMElement> list = element(L"ItemList");
        const ComPtr<IXMLDOMElement> item = element(L"Item");
        list->appendChild(item.Get(), nullptr);
        current->appendChild(list.Get(), nullptr);
        current = item;
    }
    return top;
}

int depthOf(const BookmarkItem& item)
{
    int depth = 1;
    for (const BookmarkItem* at = &item; !at->children.empty(); at = at->children.front().get()) ++depth;
    return depth;
}

TEST_F(BookXmlTest, NestingDeeperThanABookMayHoldIsRefused)
{
    const ComInit com;
    CLSID domClass;
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &domClass));
    ComPtr<IXMLDOMDocument> document;
    ASSERT_EQ(S_OK, CoCreateInstance(domClass, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                     reinterpret_cast<void**>(document.GetAddressOf())));

    BookmarkItem deepest;
    readItemXml(deepest, *deepItemChain(*document.Get(), kMaxItemDepth).Get());
    EXPECT_EQ(kMaxItemDepth, depthOf(deepest));

    BookmarkItem tooDeep;
    EXPECT_THROW(readItemXml(tooDeep, *deepItemChain(*document.Get(), kMaxItemDepth + 1).Get()), std::runtime_error);

    // The DOM's own limit, which decides how deep a book may be.
    for (const int depth : {kDomElementDepth, kDomElementDepth + 1}) {
        std::wstring text;
        for (int level = 0; level < depth; ++level) text = L"<a>" + text + L"</a>";
        VARIANT_BOOL parsed = VARIANT_FALSE;
        BSTR xml = SysAllocString(text.c_str());
        document->loadXML(xml, &parsed);
        SysFreeString(xml);
        EXPECT_EQ(depth == kDomElementDepth, parsed == VARIANT_TRUE) << depth;
    }

    // The deepest tree saves and opens again; one level more is not saved and
    // leaves the old book as it was.
    BookmarkItem root;
    BookmarkItem* at = &root;
    for (int level = 2; level <= kMaxItemDepth; ++level) at = at->addGroupChild("", "").get();
    BookmarkItem reloaded;
    saveAndReload(root, reloaded);
    EXPECT_EQ(kMaxItemDepth, depthOf(reloaded));
    const std::string saved = readFile(path_);
    at->addGroupChild("", "");
    EXPECT_FALSE(saveBook(path_, root));
    EXPECT_EQ(saved, readFile(path_));

    // A file nested far too deep fails to load, without a crash.
    std::string text;
    for (int level = 0; level < 50000; ++level) text += "<Item><ItemList>";
    for (int level = 0; level < 50000; ++level) text += "</ItemList></Item>";
    writeFile(path_, bookText(text));
    EXPECT_EQ(BookLoad::Unreadable, loadBook(path_, root));
}

}  // namespace
