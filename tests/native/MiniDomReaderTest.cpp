#include "xml/CMiniDOMIO.h"
#include "xml/CMiniDOMNode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
const std::string UnexpectedEnd = "読込エラー: 読み込み中に終端に到達しました。";

class MiniDomReaderTest : public ::testing::Test {
protected:
    bool load(const std::string& bytes) { return io.LoadFromMemory(bytes.data(), bytes.size(), document); }

    CMiniDOMIO io;
    CMiniDOMNode document;
};

TEST_F(MiniDomReaderTest, ReadsTheDeclarationAndNestedElements)
{
    ASSERT_TRUE(load(Declaration + "<Options><FolderOption><FirstOpen>1</FirstOpen></FolderOption></Options>"));

    ASSERT_EQ(document.childCount(), 1u);
    const CMiniDOMNode* options = document.child(0);
    EXPECT_EQ(options->name, "Options");
    EXPECT_EQ(options->text, "");
    ASSERT_EQ(options->childCount(), 1u);
    const CMiniDOMNode* folder = options->child(0);
    EXPECT_EQ(folder->name, "FolderOption");
    EXPECT_EQ(folder->text, "");
    ASSERT_EQ(folder->childCount(), 1u);
    EXPECT_EQ(folder->child(0)->name, "FirstOpen");
    EXPECT_EQ(folder->child(0)->text, "1");
    EXPECT_EQ(io.lastError(), "");
}

TEST_F(MiniDomReaderTest, KeepsWhiteSpaceAndJoinsTextAroundChildren)
{
    ASSERT_TRUE(load("<A> a\r\n<B>b</B>\tc </A>"));

    const CMiniDOMNode* a = document.child(0);
    EXPECT_EQ(a->text, " a\r\n\tc ");
    ASSERT_EQ(a->childCount(), 1u);
    EXPECT_EQ(a->child(0)->text, "b");
}

TEST_F(MiniDomReaderTest, DecodesTheThreeEntitiesAndPassesDoubleByteText)
{
    // 0x95 0x5C: a double-byte character whose second byte is a backslash.
    ASSERT_TRUE(load("<A>&lt;&amp;&gt;\x95\x5C</A>"));
    EXPECT_EQ(document.child(0)->text, "<&>\x95\x5C");
}

TEST_F(MiniDomReaderTest, RefusesEveryOtherEntity)
{
    for (const std::string entity : {"&quot;", "&apos;", "&#60;", "&#x3C;", "&;", "&LT;"}) {
        const std::string input = "<A>" + entity + "</A>";
        CMiniDOMNode fresh;
        EXPECT_FALSE(io.LoadFromMemory(input.data(), input.size(), fresh)) << entity;
        EXPECT_EQ(io.lastError(), "読込エラー: 未対応の特殊文字です。") << entity;
    }
}

TEST_F(MiniDomReaderTest, SkipsAttributesAndWhateverFollowsTheName)
{
    ASSERT_TRUE(load("<A x=\"1>\">t</A><a-b c>v</a-b ><C\t/ >w</C>"));

    ASSERT_EQ(document.childCount(), 3u);
    // The quoted ">" ends the start tag: quotes are not looked at.
    EXPECT_EQ(document.child(0)->name, "A");
    EXPECT_EQ(document.child(0)->text, "\">t");
    EXPECT_EQ(document.child(1)->name, "a");
    EXPECT_EQ(document.child(1)->text, "v");
    EXPECT_EQ(document.child(2)->name, "C");
    EXPECT_EQ(document.child(2)->text, "w");
}

TEST_F(MiniDomReaderTest, EmptyElementTagIsAStartTag)
{
    EXPECT_FALSE(load("<A/><B>b</B>"));
    EXPECT_EQ(io.lastError(), UnexpectedEnd);
    ASSERT_EQ(document.childCount(), 1u);
    EXPECT_EQ(document.child(0)->name, "A");
    ASSERT_EQ(document.child(0)->childCount(), 1u);
    EXPECT_EQ(document.child(0)->child(0)->name, "B");
}

TEST_F(MiniDomReaderTest, MismatchedEndTagFailsAndKeepsTheElement)
{
    EXPECT_FALSE(load("<A>text</B>"));
    EXPECT_EQ(io.lastError(), "読込エラー: 終了タグと開始タグが一致していません。");
    ASSERT_EQ(document.childCount(), 1u);
    EXPECT_EQ(document.child(0)->name, "A");
    EXPECT_EQ(document.child(0)->text, "text");
}

TEST_F(MiniDomReaderTest, ElementIsAddedBeforeItsContentIsRead)
{
    EXPECT_FALSE(load("<A>a<B>b"));
    EXPECT_EQ(io.lastError(), UnexpectedEnd);
    ASSERT_EQ(document.childCount(), 1u);
    ASSERT_EQ(document.child(0)->childCount(), 1u);
    EXPECT_EQ(document.child(0)->child(0)->name, "B");
    // Text is stored only when the end tag is reached.
    EXPECT_EQ(document.child(0)->text, "");
}

TEST_F(MiniDomReaderTest, EndTagWithoutNameFails)
{
    EXPECT_FALSE(load("<A>x</>"));
    EXPECT_EQ(io.lastError(), "読込エラー: 名前が存在しません。");
}

TEST_F(MiniDomReaderTest, ProcessingInstructionMustEndWithBracket)
{
    EXPECT_FALSE(load("<?xml version=\"1.0\"?x<A></A>"));
    EXPECT_EQ(io.lastError(), "読込エラー: \">\"が存在しません。");
}

TEST_F(MiniDomReaderTest, TopLevelSkipsEmptyMarkupAndTextAndKeepsEveryElement)
{
    ASSERT_TRUE(load("junk<>\r\n<?pi?><A>1</A> between <B>2</B>trailing"));
    ASSERT_EQ(document.childCount(), 2u);
    EXPECT_EQ(document.child(0)->name, "A");
    EXPECT_EQ(document.child(1)->name, "B");
}

TEST_F(MiniDomReaderTest, TagStartingWithASpaceHasAnEmptyName)
{
    ASSERT_TRUE(load("< x>v</ y>"));
    ASSERT_EQ(document.childCount(), 1u);
    EXPECT_EQ(document.child(0)->name, "");
    EXPECT_EQ(document.child(0)->text, "v");
}

TEST_F(MiniDomReaderTest, EmptyInputIsAnEmptyDocument)
{
    EXPECT_TRUE(load(""));
    EXPECT_TRUE(load(Declaration));
    EXPECT_EQ(document.childCount(), 0u);
}

TEST_F(MiniDomReaderTest, EndOfInputInsideEveryConstructFails)
{
    for (const std::string input : {"<", "<A", "<A>", "<A>text", "<A>&lt", "<A>&", "<A></A", "<A></", "<?xml", "<A><"}) {
        CMiniDOMNode fresh;
        EXPECT_FALSE(io.LoadFromMemory(input.data(), input.size(), fresh)) << input;
        EXPECT_EQ(io.lastError(), UnexpectedEnd) << input;
    }
}

TEST_F(MiniDomReaderTest, LastErrorIsReplacedByFailuresAndKeptBySuccess)
{
    EXPECT_FALSE(load("<A>&quot;</A>"));
    EXPECT_FALSE(load("<A>"));
    EXPECT_EQ(io.lastError(), UnexpectedEnd);
    EXPECT_TRUE(load("<A></A>"));
    EXPECT_EQ(io.lastError(), UnexpectedEnd);
}

TEST_F(MiniDomReaderTest, NestingUpToTheBoundLoadsAndDeeperFails)
{
    auto nested = [](int depth) {
        std::string open, close;
        for (int i = 0; i < depth; ++i) {
            open += "<a>";
            close += "</a>";
        }
        return open + close;
    };

    ASSERT_TRUE(load(nested(CMiniDOMIO::MaxDepth)));
    CMiniDOMNode deeper;
    const std::string tooDeep = nested(CMiniDOMIO::MaxDepth + 1);
    EXPECT_FALSE(io.LoadFromMemory(tooDeep.data(), tooDeep.size(), deeper));
    EXPECT_EQ(io.lastError(), "読込エラー: 要素の入れ子が深すぎます。");
}

TEST_F(MiniDomReaderTest, HostileNestingFailsWithoutExhaustingTheStack)
{
    std::string hostile;
    for (int i = 0; i < 1000000; ++i)
        hostile += "<a>";
    EXPECT_FALSE(load(hostile));
    EXPECT_EQ(io.lastError(), "読込エラー: 要素の入れ子が深すぎます。");
}

TEST_F(MiniDomReaderTest, EveryTruncationOfAValidFileFailsUnlessOnlyTheDeclarationIsCut)
{
    const std::string file = Declaration +
        "<Options><FolderOption><FirstOpen>1</FirstOpen><FirstFile>C:\\x&amp;\x95\x5C.rvl</FirstFile>"
        "</FolderOption><WindowInfo><MainFrame><Left>-3</Left></MainFrame></WindowInfo></Options>";
    const size_t declarationEnd = Declaration.size() - 2;  // just after "?>"
    for (size_t cut = 0; cut < file.size(); ++cut) {
        CMiniDOMNode fresh;
        const bool loaded = io.LoadFromMemory(file.data(), cut, fresh);
        const bool beforeAnyElement = cut == 0 || (cut >= declarationEnd && cut <= Declaration.size());
        EXPECT_EQ(loaded, beforeAnyElement) << cut;
        if (!loaded) {
            // Cut right after a "?" of the declaration, the missing ">" is what shows.
            const bool afterQuestionMark = file[cut - 1] == '?';
            EXPECT_EQ(io.lastError(), afterQuestionMark ? "読込エラー: \">\"が存在しません。" : UnexpectedEnd) << cut;
        }
    }
}

class MiniDomFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("ravlo-minidom-reader-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        path = (folder / "in.xml").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
    CMiniDOMIO io;
    CMiniDOMNode document;
};

TEST_F(MiniDomFileTest, SavedTreeLoadsBackAcrossReadChunks)
{
    CMiniDOMNode original;
    CMiniDOMNode* root = original.addChild("Options");
    root->text = "x";
    // Longer than a read chunk, so the reader refills mid-text.
    const std::string longText = std::string(200000, 'a') + "<&>\x95\x5C\r\n";
    root->addChild("Long")->text = longText;
    root->addChild("Empty");
    root->addChild("Number")->setInt(-12);
    ASSERT_TRUE(io.Save(path, original));

    ASSERT_TRUE(io.Load(path, document));
    ASSERT_EQ(document.childCount(), 1u);
    const CMiniDOMNode* loaded = document.child(0);
    EXPECT_EQ(loaded->text, "x");
    ASSERT_EQ(loaded->childCount(), 3u);
    EXPECT_EQ(loaded->child(0)->text, longText);
    EXPECT_EQ(loaded->child(1)->name, "Empty");
    EXPECT_EQ(loaded->child(1)->text, "");
    EXPECT_EQ(loaded->child(2)->intValue(), -12);
}

TEST_F(MiniDomFileTest, FileErrorsOfLoad)
{
    EXPECT_FALSE(io.Load((folder / "missing.xml").string(), document));
    EXPECT_EQ(io.lastError(), "");

    std::ofstream(path, std::ios::binary) << "<A>";
    EXPECT_FALSE(io.Load(path, document));
    EXPECT_EQ(io.lastError(), UnexpectedEnd);

    // A folder opens on Linux but cannot be read: that is no empty document.
    CMiniDOMNode fresh;
    EXPECT_FALSE(io.Load(folder.string(), fresh));
    EXPECT_EQ(io.lastError(), "読込エラー: 入力に失敗しました。");
}

} // namespace
