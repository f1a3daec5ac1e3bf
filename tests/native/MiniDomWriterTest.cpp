#include "xml/CMiniDOMIO.h"
#include "xml/CMiniDOMNode.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";

class MiniDomWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("ravlo-minidom-writer-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        path = (folder / "out.xml").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string saved() const
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder;
    std::string path;
    CMiniDOMIO io;
    CMiniDOMNode document;
};

TEST_F(MiniDomWriterTest, WritesNestedElementsOnOneLineAfterTheDeclaration)
{
    document.addChild("Options")->addChild("FolderOption")->addChild("FirstOpen")->setInt(1);

    ASSERT_TRUE(io.Save(path, document));
    EXPECT_EQ(saved(), Declaration + "<Options><FolderOption><FirstOpen>1</FirstOpen></FolderOption></Options>");
    EXPECT_EQ(io.lastError(), "");
}

TEST_F(MiniDomWriterTest, EscapesOnlyTheThreeMarkupBytes)
{
    // 0x95 0x5C is a double-byte character whose second byte is a backslash.
    document.addChild("T")->text = "a<b&c>d \"q' \r\n\t \x95\x5C";

    ASSERT_TRUE(io.Save(path, document));
    EXPECT_EQ(saved(), Declaration + "<T>a&lt;b&amp;c&gt;d \"q' \r\n\t \x95\x5C</T>");
}

TEST_F(MiniDomWriterTest, WritesTextBeforeChildrenAndEmptyElementsAsTagPairs)
{
    CMiniDOMNode* root = document.addChild("A");
    root->addChild("B");
    root->text = "t";
    root->addChild("C")->text = "c";

    ASSERT_TRUE(io.Save(path, document));
    EXPECT_EQ(saved(), Declaration + "<A>t<B></B><C>c</C></A>");
}

TEST_F(MiniDomWriterTest, WritesOnlyTheFirstChildOfTheDocument)
{
    ASSERT_TRUE(io.Save(path, document));
    EXPECT_EQ(saved(), Declaration);

    document.addChild("First");
    document.addChild("Second");
    ASSERT_TRUE(io.Save(path, document));
    EXPECT_EQ(saved(), Declaration + "<First></First>");
}

TEST_F(MiniDomWriterTest, ReplacesTheWholeOfAnExistingFile)
{
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    document.addChild("A");

    ASSERT_TRUE(io.Save(path, document));
    EXPECT_EQ(saved(), Declaration + "<A></A>");
}

TEST_F(MiniDomWriterTest, FileThatCannotBeCreatedFailsWithoutMessage)
{
    EXPECT_FALSE(io.Save((folder / "missing" / "out.xml").string(), document));
    EXPECT_EQ(io.lastError(), "");
}

TEST(MiniDomWriterFailureTest, FailedWritesAreReportedWhetherSmallOrLarge)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // A small file fails only when its buffer is flushed at close; a large
    // one fails after a closing tag while writing.
    for (size_t textSize : {size_t{1}, size_t{1} << 20}) {
        CMiniDOMNode document;
        CMiniDOMNode* root = document.addChild("A");
        for (int i = 0; i < 3; ++i)
            root->addChild("B")->text = std::string(textSize, 'x');
        CMiniDOMIO io;
        EXPECT_FALSE(io.Save("/dev/full", document)) << textSize;
        EXPECT_EQ(io.lastError(), "書込エラー: 出力に失敗しました。") << textSize;
    }
}

TEST(MiniDomNodeTest, FindChildIsExactAndFirstAndNullSafe)
{
    CMiniDOMNode root("Options");
    EXPECT_EQ(root.childCount(), 0u);
    CMiniDOMNode* first = root.addChild("Item");
    root.addChild("item");
    root.addChild("Item");

    EXPECT_EQ(root.childCount(), 3u);
    EXPECT_EQ(root.findChild("Item"), first);
    EXPECT_EQ(root.findChild("item"), root.child(1));
    EXPECT_EQ(root.findChild("Ite"), nullptr);

    const CMiniDOMNode* missing = CMiniDOMNode::findChild(&root, "MainFrame");
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(CMiniDOMNode::findChild(missing, "Left"), nullptr);
    int value = 7;
    EXPECT_EQ(CMiniDOMNode::getInt(CMiniDOMNode::findChild(missing, "Left"), &value), nullptr);
    EXPECT_EQ(value, 7);
}

TEST(MiniDomNodeTest, GetIntReadsLeadingDecimalDigits)
{
    const std::pair<std::string, int> cases[] = {
        {"12abc", 12}, {"", 0}, {"abc", 0}, {" \t\r\n-7", -7}, {"+5", 5}, {"-", 0}, {"3 4", 3}, {"- 3", 0},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
    };
    for (const auto& [text, expected] : cases) {
        CMiniDOMNode node("N");
        node.text = text;
        int value = 99;
        EXPECT_EQ(CMiniDOMNode::getInt(&node, &value), &node) << text;
        EXPECT_EQ(value, expected) << text;
    }

    CMiniDOMNode node("N");
    node.text = "5";
    EXPECT_EQ(CMiniDOMNode::getInt(&node, nullptr), nullptr);
}

TEST(MiniDomNodeTest, SetIntWritesDecimalText)
{
    CMiniDOMNode node("N");
    node.setInt(-42);
    EXPECT_EQ(node.text, "-42");
    node.setInt(INT_MIN);
    EXPECT_EQ(node.text, "-2147483648");
    node.setInt(0);
    EXPECT_EQ(node.text, "0");
}

} // namespace
