#include "app/AppOptions.h"
#include "app/LegacyOptionsSource.h"
#include "app/OptionsXml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";

// Every stored field away from its default; 0x95 0x5C is 表, whose second byte is a backslash.
AppOptions everyFieldSet()
{
    AppOptions options;
    WindowInfo& info = options.windowInfo;
    info.DockState = "0A1B2C";
    info.Restore = 0;
    info.titleWidth = 101;
    info.urlWidth = 102;
    info.messageWidth = 103;
    info.dateWidth = 104;
    info.treeWidth = 105;
    info.treeHeight = 106;
    info.Left = -8;
    info.Top = 9;
    info.Right = 1000;
    info.Bottom = 700;
    info.TaskTray = 0;
    info.MinimumIcon = 0;
    info.MinimizedStart = 1;
    options.AddPosition = 1;
    options.SameItemType = 0;
    options.SameUrlGroup = 0;
    options.SelectedAddin = "Velmir & <Co>";
    options.PrevOpen = 1;
    options.OpenPosition = 0;
    options.FirstMode = 1;
    options.OutputFile = "C:\\out\\page.html";
    options.OpenBrowser = 0;
    options.FirstFile = "C:\\\x95\x5C\\first.rvl";
    options.LastFile = "D:\\last.rvl";
    options.FirstOpen = 1;
    options.WindowPositionX = -20;
    options.WindowPositionY = 300;
    options.UsePosition = 1;
    return options;
}

std::string everyFieldSetXml(const std::string& dropWindowOption)
{
    return Declaration +
        "<Options>"
        "<FolderOption><FirstOpen>1</FirstOpen><FirstFile>C:\\\x95\x5C\\first.rvl</FirstFile>"
        "<LastFile>D:\\last.rvl</LastFile></FolderOption>"
        "<HtmlOption><OutputFile>C:\\out\\page.html</OutputFile><OpenBrowser>0</OpenBrowser></HtmlOption>"
        "<DropWindowOption>" + dropWindowOption + "</DropWindowOption>"
        "<EditOption><AddPosition>1</AddPosition><SameItemType>0</SameItemType><SameUrlGroup>0</SameUrlGroup></EditOption>"
        "<AddinInfo><SelectedAddin>Velmir &amp; &lt;Co&gt;</SelectedAddin></AddinInfo>"
        "<WindowInfo><Restore>0</Restore><TaskTray>0</TaskTray><MinimumIcon>0</MinimumIcon>"
        "<MinimizedStart>1</MinimizedStart>"
        "<MainFrame><Left>-8</Left><Top>9</Top><Right>1000</Right><Bottom>700</Bottom>"
        "<DockState>0A1B2C</DockState></MainFrame>"
        "<TreeView><Width>105</Width><Height>106</Height></TreeView>"
        "<ListView><Header><Title>101</Title><URL>102</URL><Message>103</Message><Date>104</Date></Header></ListView>"
        "</WindowInfo></Options>";
}

// The complete window information, so that single values can be left out.
const char* const WindowInfoElements[] = {
    "<MainFrame><Left>1</Left><Top>2</Top><Right>301</Right><Bottom>402</Bottom><DockState>FF</DockState></MainFrame>",
    "<TreeView><Width>5</Width><Height>6</Height></TreeView>",
    "<ListView><Header><Title>7</Title><URL>8</URL><Message>9</Message><Date>10</Date></Header></ListView>",
};

void expectSameStoredValues(const AppOptions& a, const AppOptions& b)
{
    const WindowInfo& x = a.windowInfo;
    const WindowInfo& y = b.windowInfo;
    EXPECT_EQ(x.DockState, y.DockState);
    EXPECT_EQ(x.Restore, y.Restore);
    EXPECT_EQ(x.titleWidth, y.titleWidth);
    EXPECT_EQ(x.urlWidth, y.urlWidth);
    EXPECT_EQ(x.messageWidth, y.messageWidth);
    EXPECT_EQ(x.dateWidth, y.dateWidth);
    EXPECT_EQ(x.treeWidth, y.treeWidth);
    EXPECT_EQ(x.treeHeight, y.treeHeight);
    EXPECT_EQ(x.Left, y.Left);
    EXPECT_EQ(x.Top, y.Top);
    EXPECT_EQ(x.Right, y.Right);
    EXPECT_EQ(x.Bottom, y.Bottom);
    EXPECT_EQ(x.TaskTray, y.TaskTray);
    EXPECT_EQ(x.MinimumIcon, y.MinimumIcon);
    EXPECT_EQ(x.MinimizedStart, y.MinimizedStart);
    EXPECT_EQ(a.AddPosition, b.AddPosition);
    EXPECT_EQ(a.SameItemType, b.SameItemType);
    EXPECT_EQ(a.SameUrlGroup, b.SameUrlGroup);
    EXPECT_EQ(a.SelectedAddin, b.SelectedAddin);
    EXPECT_EQ(a.PrevOpen, b.PrevOpen);
    EXPECT_EQ(a.OpenPosition, b.OpenPosition);
    EXPECT_EQ(a.FirstMode, b.FirstMode);
    EXPECT_EQ(a.OutputFile, b.OutputFile);
    EXPECT_EQ(a.OpenBrowser, b.OpenBrowser);
    EXPECT_EQ(a.FirstFile, b.FirstFile);
    EXPECT_EQ(a.LastFile, b.LastFile);
    EXPECT_EQ(a.FirstOpen, b.FirstOpen);
    EXPECT_EQ(a.WindowPositionX, b.WindowPositionX);
    EXPECT_EQ(a.WindowPositionY, b.WindowPositionY);
    EXPECT_EQ(a.UsePosition, b.UsePosition);
}

class FakeLegacySource : public LegacyOptionsSource {
public:
    explicit FakeLegacySource(bool present) : present_(present) {}
    bool exists() const override { return present_; }
    void readInto(AppOptions& options) const override
    {
        ++reads;
        options.FirstOpen = 1;
        options.FirstFile = options.defaultBook();
        options.LastFile = options.defaultBook();
        options.OpenBrowser = 0;
        options.UsePosition = 2;  // the older form keeps the number as it was written
        options.WindowPositionX = -5;
        options.WindowPositionY = 7;
    }
    mutable int reads = 0;

private:
    bool present_;
};

class OptionsXmlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("ravlo-options-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        // Paths are joined with a backslash; on Linux the files then sit in `folder`.
        settingsFolder = folder.string() + "/";
        options.settingsFolder = settingsFolder;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string fileBytes() const
    {
        std::ifstream in(options.optionsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void writeFile(const std::string& bytes) const
    {
        std::ofstream(options.optionsFile(), std::ios::binary) << bytes;
    }
    AppOptions loadedFrom(const std::string& xml, const LegacyOptionsSource* legacy = nullptr) const
    {
        writeFile(xml);
        AppOptions loaded;
        loaded.settingsFolder = settingsFolder;
        loaded.LoadOptions(legacy);
        return loaded;
    }
    size_t filesInFolder() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
    std::string settingsFolder;
    AppOptions options;
};

TEST_F(OptionsXmlTest, SavesEveryFieldInFileOrder)
{
    AppOptions saved = everyFieldSet();
    saved.settingsFolder = settingsFolder;

    ASSERT_TRUE(saved.SaveOptions());
    EXPECT_EQ(fileBytes(), everyFieldSetXml("<UsePosition>1</UsePosition><WindowPositionX>-20</WindowPositionX>"
                                            "<WindowPositionY>300</WindowPositionY><FirstMode>1</FirstMode>"
                                            "<OpenPosition>0</OpenPosition><PrevOpen>1</PrevOpen>"));
    // Only options.xml: the temporary file it was written through is gone.
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(OptionsXmlTest, WithoutUsePositionThePositionIsNotWritten)
{
    AppOptions saved = everyFieldSet();
    saved.settingsFolder = settingsFolder;
    saved.UsePosition = 0;

    ASSERT_TRUE(saved.SaveOptions());
    EXPECT_EQ(fileBytes(), everyFieldSetXml("<UsePosition>0</UsePosition><FirstMode>1</FirstMode>"
                                            "<OpenPosition>0</OpenPosition><PrevOpen>1</PrevOpen>"));
}

TEST_F(OptionsXmlTest, SavedRecordLoadsBackUnchanged)
{
    AppOptions saved = everyFieldSet();
    saved.settingsFolder = settingsFolder;
    saved.windowInfo.Restore = 1;
    ASSERT_TRUE(saved.SaveOptions());

    AppOptions loaded;
    loaded.settingsFolder = settingsFolder;
    loaded.LoadOptions();
    expectSameStoredValues(loaded, saved);
    EXPECT_EQ(loaded.windowInfo.complete, 1);
    EXPECT_EQ(loaded.loaded, 1);
}

TEST_F(OptionsXmlTest, MissingFileGivesEveryDefaultAndWritesNothing)
{
    options.LoadOptions();

    const WindowInfo& info = options.windowInfo;
    EXPECT_EQ(info.DockState, "");
    EXPECT_EQ(info.Restore, 1);
    for (int measure : {info.titleWidth, info.urlWidth, info.messageWidth, info.dateWidth, info.treeWidth,
                        info.treeHeight, info.Left, info.Top, info.Right, info.Bottom})
        EXPECT_EQ(measure, 0);
    EXPECT_EQ(info.TaskTray, 1);
    EXPECT_EQ(info.MinimumIcon, 1);
    EXPECT_EQ(info.MinimizedStart, 0);
    EXPECT_EQ(info.complete, 0);
    EXPECT_EQ(options.AddPosition, 0);
    EXPECT_EQ(options.SameItemType, 1);
    EXPECT_EQ(options.SameUrlGroup, 1);
    EXPECT_EQ(options.SelectedAddin, "");
    EXPECT_EQ(options.PrevOpen, 0);
    EXPECT_EQ(options.OpenPosition, 1);
    EXPECT_EQ(options.FirstMode, 2);
    EXPECT_EQ(options.OutputFile, settingsFolder + "\\Default.html");
    EXPECT_EQ(options.OpenBrowser, 1);
    EXPECT_EQ(options.FirstFile, settingsFolder + "\\Default.rvl");
    EXPECT_EQ(options.LastFile, "");
    EXPECT_EQ(options.FirstOpen, 2);
    EXPECT_EQ(options.WindowPositionX, 0);
    EXPECT_EQ(options.WindowPositionY, 0);
    EXPECT_EQ(options.UsePosition, 0);
    EXPECT_EQ(options.loaded, 1);
    EXPECT_EQ(filesInFolder(), 0u);
}

TEST_F(OptionsXmlTest, DefaultPathsHaveOneBackslashBeforeTheName)
{
    options.settingsFolder = "C:\\Ravlo";
    EXPECT_EQ(options.defaultBook(), "C:\\Ravlo\\Default.rvl");
    options.settingsFolder = "C:\\Ravlo\\";
    EXPECT_EQ(options.defaultPage(), "C:\\Ravlo\\Default.html");
    options.settingsFolder = "C:\\\x95\x5C";
    EXPECT_EQ(options.optionsFile(), "C:\\\x95\x5C\\options.xml");
}

TEST_F(OptionsXmlTest, UnreadableFileGivesDefaultsEvenForWhatWasReadBeforeTheError)
{
    const AppOptions loaded = loadedFrom("<Options><FolderOption><FirstOpen>0</FirstOpen></FolderOption><Broken>");
    EXPECT_EQ(loaded.FirstOpen, 2);
    EXPECT_EQ(loaded.loaded, 1);
}

TEST_F(OptionsXmlTest, TheFirstSaveKeepsAnUnreadableFileBesideIt)
{
    std::string truncated = everyFieldSetXml("<UsePosition>0</UsePosition>");
    truncated.pop_back();
    const AppOptions loaded = loadedFrom(truncated);
    EXPECT_EQ(loaded.FirstOpen, 2);
    // The second save finds a readable file: the kept one stays.
    ASSERT_TRUE(loaded.SaveOptions() && loaded.SaveOptions());
    std::ifstream broken(options.optionsFile() + ".broken", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(broken), {}), truncated);
}

TEST_F(OptionsXmlTest, DropWindowOptionWithoutUsePositionIgnoresThePosition)
{
    const AppOptions loaded = loadedFrom(
        "<Options><DropWindowOption><WindowPositionX>10</WindowPositionX><WindowPositionY>20</WindowPositionY>"
        "</DropWindowOption></Options>");
    EXPECT_EQ(loaded.UsePosition, 0);
    EXPECT_EQ(loaded.WindowPositionX, 0);
    EXPECT_EQ(loaded.WindowPositionY, 0);

    const AppOptions withoutPosition = loadedFrom(
        "<Options><DropWindowOption><UsePosition>1</UsePosition><WindowPositionY>20</WindowPositionY>"
        "</DropWindowOption></Options>");
    EXPECT_EQ(withoutPosition.UsePosition, 1);
    EXPECT_EQ(withoutPosition.WindowPositionX, 0);
    EXPECT_EQ(withoutPosition.WindowPositionY, 20);
}

TEST_F(OptionsXmlTest, WindowInfoIsCompleteOnlyWithAllElevenValuesAndRestore)
{
    const std::string all = std::string(WindowInfoElements[0]) + WindowInfoElements[1] + WindowInfoElements[2];
    const AppOptions complete = loadedFrom("<Options><WindowInfo>" + all + "</WindowInfo></Options>");
    EXPECT_EQ(complete.windowInfo.complete, 1);
    EXPECT_EQ(complete.windowInfo.DockState, "FF");
    EXPECT_EQ(complete.windowInfo.dateWidth, 10);

    const AppOptions notRestored = loadedFrom("<Options><WindowInfo><Restore>0</Restore>" + all + "</WindowInfo></Options>");
    EXPECT_EQ(notRestored.windowInfo.complete, 0);
    EXPECT_EQ(notRestored.windowInfo.Left, 1);

    // An empty DockState is present.
    std::string emptyDockState = all;
    emptyDockState.replace(emptyDockState.find("FF"), 2, "");
    EXPECT_EQ(loadedFrom("<Options><WindowInfo>" + emptyDockState + "</WindowInfo></Options>").windowInfo.complete, 1);

    for (const std::string name : {"Left", "Top", "Right", "Bottom", "DockState", "Width", "Height", "Title", "URL",
                                   "Message", "Date"}) {
        std::string oneMissing = all;
        const std::string start = "<" + name + ">";
        const size_t from = oneMissing.find(start);
        oneMissing.erase(from, oneMissing.find("</" + name + ">") + name.size() + 3 - from);
        const AppOptions loaded = loadedFrom("<Options><WindowInfo>" + oneMissing + "</WindowInfo></Options>");
        EXPECT_EQ(loaded.windowInfo.complete, 0) << name;
    }
}

TEST_F(OptionsXmlTest, WindowInfoWithoutDateKeepsTheOtherValues)
{
    std::string withoutDate = std::string(WindowInfoElements[0]) + WindowInfoElements[1] + WindowInfoElements[2];
    withoutDate.replace(withoutDate.find("<Date>10</Date>"), 15, "");
    const AppOptions loaded = loadedFrom("<Options><WindowInfo>" + withoutDate + "</WindowInfo></Options>");

    const WindowInfo& info = loaded.windowInfo;
    EXPECT_EQ(info.complete, 0);
    EXPECT_EQ(info.Left, 1);
    EXPECT_EQ(info.Bottom, 402);
    EXPECT_EQ(info.DockState, "FF");
    EXPECT_EQ(info.treeWidth, 5);
    EXPECT_EQ(info.treeHeight, 6);
    EXPECT_EQ(info.titleWidth, 7);
    EXPECT_EQ(info.messageWidth, 9);
    EXPECT_EQ(info.dateWidth, 0);
}

TEST_F(OptionsXmlTest, PresentEmptyTextsStayEmptyAndAbsentOnesTakeTheDefault)
{
    const AppOptions empty = loadedFrom(
        "<Options><FolderOption><FirstFile></FirstFile></FolderOption><HtmlOption><OutputFile></OutputFile>"
        "</HtmlOption></Options>");
    EXPECT_EQ(empty.FirstFile, "");
    EXPECT_EQ(empty.OutputFile, "");

    const AppOptions absent = loadedFrom("<Options><FolderOption></FolderOption></Options>");
    EXPECT_EQ(absent.FirstFile, settingsFolder + "\\Default.rvl");
    EXPECT_EQ(absent.OutputFile, settingsFolder + "\\Default.html");
}

TEST_F(OptionsXmlTest, NumbersAreReadLikeAtoiAndFlagsBecomeZeroOrOne)
{
    const AppOptions loaded = loadedFrom(
        "<Options><FolderOption><FirstOpen> 1st</FirstOpen></FolderOption>"
        "<HtmlOption><OpenBrowser>abc</OpenBrowser></HtmlOption>"
        "<DropWindowOption><UsePosition>-3</UsePosition><WindowPositionX>x</WindowPositionX><PrevOpen>7</PrevOpen>"
        "</DropWindowOption><EditOption><AddPosition>5</AddPosition></EditOption></Options>");
    EXPECT_EQ(loaded.FirstOpen, 1);
    EXPECT_EQ(loaded.OpenBrowser, 0);
    EXPECT_EQ(loaded.UsePosition, 1);
    EXPECT_EQ(loaded.WindowPositionX, 0);
    EXPECT_EQ(loaded.PrevOpen, 1);
    EXPECT_EQ(loaded.AddPosition, 5);
}

TEST_F(OptionsXmlTest, MigratesOnceWhenOnlyTheOlderFormExists)
{
    FakeLegacySource legacy(true);
    options.LoadOptions(&legacy);

    EXPECT_EQ(legacy.reads, 1);
    EXPECT_EQ(options.FirstOpen, 1);
    EXPECT_EQ(options.LastFile, settingsFolder + "\\Default.rvl");
    EXPECT_EQ(options.UsePosition, 2);
    EXPECT_EQ(options.AddPosition, 1);
    EXPECT_EQ(options.SameItemType, 0);
    EXPECT_EQ(options.SameUrlGroup, 0);
    EXPECT_EQ(options.loaded, 0);

    // Written at once, the flag as 1 and the position kept.
    AppOptions reloaded;
    reloaded.settingsFolder = settingsFolder;
    reloaded.LoadOptions(&legacy);
    EXPECT_EQ(legacy.reads, 1);
    EXPECT_EQ(reloaded.loaded, 1);
    EXPECT_EQ(reloaded.UsePosition, 1);
    EXPECT_EQ(reloaded.WindowPositionX, -5);
    EXPECT_EQ(reloaded.WindowPositionY, 7);
    EXPECT_EQ(reloaded.AddPosition, 1);
    EXPECT_EQ(reloaded.FirstOpen, 1);
}

TEST_F(OptionsXmlTest, OlderFormIsIgnoredBesideAReadableFileOrWhenAbsent)
{
    FakeLegacySource legacy(true);
    const AppOptions loaded = loadedFrom(Declaration + "<Options></Options>", &legacy);
    EXPECT_EQ(legacy.reads, 0);
    EXPECT_EQ(loaded.AddPosition, 0);
    EXPECT_EQ(loaded.loaded, 1);

    fs::remove(options.optionsFile());
    FakeLegacySource absent(false);
    options.LoadOptions(&absent);
    EXPECT_EQ(absent.reads, 0);
    EXPECT_EQ(options.FirstOpen, 2);
    EXPECT_EQ(options.loaded, 1);
}

TEST_F(OptionsXmlTest, FailedSaveLeavesNothingBehind)
{
    AppOptions unsaved = everyFieldSet();
    unsaved.settingsFolder = (folder / "missing" / "").string();
    EXPECT_FALSE(unsaved.SaveOptions());
    EXPECT_EQ(filesInFolder(), 0u);

    // Written completely, but options.xml cannot be replaced: the temporary file goes.
    fs::create_directory(options.optionsFile());
    unsaved.settingsFolder = settingsFolder;
    EXPECT_FALSE(unsaved.SaveOptions());
    EXPECT_EQ(filesInFolder(), 1u);
    EXPECT_TRUE(fs::is_directory(options.optionsFile()));
}

} // namespace
