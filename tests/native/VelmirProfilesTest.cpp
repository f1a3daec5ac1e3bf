#include "platform/IniFile.h"
#include "velmir/IniTextReader.h"
#include "velmir/LegacyProfileIni.h"
#include "velmir/ProfileSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";

// An ini file in memory, read the way the private-profile functions read one.
class FakeIniFile : public IniFile {
public:
    bool exists() const override { return present; }
    int intOf(const std::string& section, const std::string& key, int fallback) const override
    {
        const auto found = values.find({section, key});
        return found == values.end() ? fallback : std::atoi(found->second.c_str());
    }
    std::string textOf(const std::string& section, const std::string& key, const std::string& fallback) const override
    {
        const auto found = values.find({section, key});
        return found == values.end() ? fallback : found->second;
    }
    void deleteSection(const std::string& section) override
    {
        deleted.insert(section);
        for (auto it = values.begin(); it != values.end();)
            it = it->first.first == section ? values.erase(it) : std::next(it);
    }

    void set(const std::string& section, const std::string& key, const std::string& value)
    {
        values[{section, key}] = value;
    }

    bool present = true;
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::set<std::string> deleted;
};

void expectColor(const ColorSetting& setting, uint32_t color, bool useDefault)
{
    EXPECT_EQ(setting.color, color);
    EXPECT_EQ(setting.useDefault, useDefault);
}

void expectAllOnDefault(const ColorProfile& profile)
{
    for (const ColorSetting* setting : {&profile.Group, &profile.HighGroup, &profile.BackGround, &profile.Text,
                                        &profile.Link, &profile.VLink, &profile.ALink})
        expectColor(*setting, 0, true);
}

class VelmirProfilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("velmir-profiles-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        // Paths are joined with a backslash; on Linux the files then sit in `folder`.
        set.settingsFolder = folder.string() + "/";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string fileBytes() const
    {
        std::ifstream in(set.settingsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void loadFrom(const std::string& xml, IniFile* legacy = nullptr)
    {
        std::ofstream(set.settingsFile(), std::ios::binary) << xml;
        set.loadProfiles(legacy);
    }
    size_t filesInFolder() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
    ProfileSet set;
};

std::string profilesXml(const std::string& content)
{
    return Declaration + "<Options><Profiles>" + content + "</Profiles></Options>";
}

// ---------------------------------------------------------------- defaults and colours

TEST_F(VelmirProfilesTest, NewSetHasOneDefaultProfileOnBrowserColours)
{
    const ProfileSet fresh;
    ASSERT_EQ(fresh.profiles.size(), 1u);
    EXPECT_EQ(fresh.selected, 0);
    EXPECT_EQ(fresh.currentProfile().Name, "Default");
    EXPECT_EQ(fresh.currentProfile().FirstMessage, "");
    expectAllOnDefault(fresh.currentProfile());
}

TEST_F(VelmirProfilesTest, MissingFileWithoutIniGivesDefaultAndWritesNothing)
{
    set.profiles.clear();
    set.selected = 3;
    FakeIniFile absent;
    absent.present = false;
    absent.set("OPTION", "SELECT", "0");

    set.loadProfiles(&absent);

    ASSERT_EQ(set.profiles.size(), 1u);
    EXPECT_EQ(set.selected, 0);
    EXPECT_EQ(set.currentProfile().Name, "Default");
    expectAllOnDefault(set.currentProfile());
    EXPECT_EQ(filesInFolder(), 0u);
}

TEST(ColorSettingTest, ColorTextIsQuotedRedGreenBlue)
{
    EXPECT_EQ(ColorSetting(0x0000ff, false).colorText(), "\"#ff0000\"");
    EXPECT_EQ(ColorSetting(0x123456, false).colorText(), "\"#563412\"");
    EXPECT_EQ(ColorSetting(0xff000000, false).colorText(), "\"#000000\"");
    EXPECT_EQ(ColorSetting().colorText(), "\"#000000\"");
    EXPECT_TRUE(ColorSetting().useDefault);
}

// ---------------------------------------------------------------- velmir.xml

TEST_F(VelmirProfilesTest, SavesEveryProfileInFileOrder)
{
    ColorProfile second;
    second.Name = "\x95\x5C & <b>";  // 表, whose second byte is a backslash
    second.FirstMessage = "line<br>\r\nnext";
    second.BackGround = ColorSetting(0xffffff, false);
    second.Text = ColorSetting(0x0000ff, false);
    second.Link = ColorSetting(0x12, true);
    second.HighGroup = ColorSetting(0xabcdef, false);
    set.profiles.push_back(second);
    set.selected = 1;

    ASSERT_TRUE(set.saveProfiles());

    const std::string onDefault = "<Default>1</Default><Color>000000</Color>";
    EXPECT_EQ(fileBytes(),
              profilesXml("<Select>1</Select>"
                          "<Profile><Name>Default</Name>"
                          "<BackGround>" + onDefault + "</BackGround><Text>" + onDefault + "</Text>"
                          "<Link>" + onDefault + "</Link><VLink>" + onDefault + "</VLink>"
                          "<ALink>" + onDefault + "</ALink><Group>" + onDefault + "</Group>"
                          "<HighGroup>" + onDefault + "</HighGroup><FirstMessage></FirstMessage></Profile>"
                          "<Profile><Name>\x95\x5C &amp; &lt;b&gt;</Name>"
                          "<BackGround><Default>0</Default><Color>ffffff</Color></BackGround>"
                          "<Text><Default>0</Default><Color>0000ff</Color></Text>"
                          "<Link><Default>1</Default><Color>000012</Color></Link>"
                          "<VLink>" + onDefault + "</VLink><ALink>" + onDefault + "</ALink>"
                          "<Group>" + onDefault + "</Group>"
                          "<HighGroup><Default>0</Default><Color>abcdef</Color></HighGroup>"
                          "<FirstMessage>line&lt;br&gt;\r\nnext</FirstMessage></Profile>"));
    // Only velmir.xml: the temporary file it was written through is gone.
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(VelmirProfilesTest, SavedProfilesLoadBackUnchanged)
{
    ColorProfile profile;
    profile.Name = "Night";
    profile.FirstMessage = "<i>\x82\xa0</i>\r\n";
    profile.Group = ColorSetting(0x010203, false);
    profile.HighGroup = ColorSetting(0x040506, true);
    profile.BackGround = ColorSetting(0x070809, false);
    profile.Text = ColorSetting(0xffffff, false);
    profile.Link = ColorSetting(0x0a0b0c, false);
    profile.VLink = ColorSetting(0x0d0e0f, false);
    profile.ALink = ColorSetting(0x101112, false);
    set.profiles = {ColorProfile(), profile};
    set.selected = 1;
    ASSERT_TRUE(set.saveProfiles());

    ProfileSet loaded;
    loaded.settingsFolder = set.settingsFolder;
    loaded.loadProfiles(nullptr);

    ASSERT_EQ(loaded.profiles.size(), 2u);
    EXPECT_EQ(loaded.selected, 1);
    EXPECT_EQ(loaded.profiles[0].Name, "");
    const ColorProfile& back = loaded.currentProfile();
    EXPECT_EQ(back.Name, "Night");
    EXPECT_EQ(back.FirstMessage, profile.FirstMessage);
    expectColor(back.Group, 0x010203, false);
    expectColor(back.HighGroup, 0x040506, true);
    expectColor(back.BackGround, 0x070809, false);
    expectColor(back.Text, 0xffffff, false);
    expectColor(back.Link, 0x0a0b0c, false);
    expectColor(back.VLink, 0x0d0e0f, false);
    expectColor(back.ALink, 0x101112, false);
}

TEST_F(VelmirProfilesTest, MissingElementsTakeTheirDefaults)
{
    loadFrom(profilesXml("<Select>1</Select><Profile><Text><Color>0000ff</Color></Text>"
                         "<Link><Default>0</Default></Link><Unknown>x</Unknown></Profile>"
                         "<Other>x</Other><Profile><Name>second</Name></Profile>"));

    ASSERT_EQ(set.profiles.size(), 2u);
    const ColorProfile& first = set.profiles[0];
    EXPECT_EQ(first.Name, "Unknown");
    EXPECT_EQ(first.FirstMessage, "");
    // A colour without Default keeps its value but stays on the browser's colour.
    expectColor(first.Text, 0x0000ff, true);
    expectColor(first.Link, 0, false);
    expectColor(first.BackGround, 0, true);
    EXPECT_EQ(set.currentProfile().Name, "second");
}

TEST_F(VelmirProfilesTest, ColourTextIsReadUpToItsFirstNonHexadecimalByte)
{
    loadFrom(profilesXml("<Profile>"
                         "<Text><Default>0</Default><Color>1a2Bzz</Color></Text>"
                         "<Link><Default>0</Default><Color>0x12</Color></Link>"
                         "<VLink><Default>0</Default><Color> 12</Color></VLink>"
                         "<ALink><Default>2</Default><Color>FFFFFF</Color></ALink>"
                         "</Profile>"));

    const ColorProfile& profile = set.currentProfile();
    expectColor(profile.Text, 0x1a2b, false);
    expectColor(profile.Link, 0, false);
    expectColor(profile.VLink, 0, false);
    expectColor(profile.ALink, 0xffffff, true);
}

TEST_F(VelmirProfilesTest, SelectionOutsideTheListSelectsTheFirstProfile)
{
    const std::string two = "<Profile><Name>a</Name></Profile><Profile><Name>b</Name></Profile>";
    for (const char* select : {"7", "2", "-1", "x"}) {
        loadFrom(profilesXml(std::string("<Select>") + select + "</Select>" + two));
        EXPECT_EQ(set.profiles.size(), 2u);
        EXPECT_EQ(set.selected, 0) << select;
    }
    loadFrom(profilesXml(two + "<Select>1</Select>"));
    EXPECT_EQ(set.selected, 1);
}

TEST_F(VelmirProfilesTest, FileWithoutProfilesGivesTheDefaultProfile)
{
    for (const std::string& xml : {profilesXml(""), profilesXml("<Select>3</Select>"),
                                   Declaration + "<Options></Options>", Declaration + "<Other><Profiles><Profile></Profile></Profiles></Other>"}) {
        loadFrom(xml);
        ASSERT_EQ(set.profiles.size(), 1u) << xml;
        EXPECT_EQ(set.selected, 0);
        EXPECT_EQ(set.currentProfile().Name, "Default");
    }
}

TEST_F(VelmirProfilesTest, BrokenFileGivesDefaultsEvenForWhatWasRead)
{
    loadFrom(profilesXml("<Select>1</Select><Profile><Name>a</Name></Profile><Profile><Name>b</Name>"
                         "<FirstMessage>&quot;</FirstMessage></Profile>"));

    ASSERT_EQ(set.profiles.size(), 1u);
    EXPECT_EQ(set.currentProfile().Name, "Default");
    EXPECT_EQ(set.selected, 0);
}

TEST_F(VelmirProfilesTest, ReadableFileIsPreferredToTheIni)
{
    FakeIniFile ini;
    ini.set("OPTION", "SELECT", "0");
    ini.set("OPTION_0", "NAME", "from ini");

    loadFrom(profilesXml("<Profile><Name>from xml</Name></Profile>"), &ini);

    EXPECT_EQ(set.currentProfile().Name, "from xml");
    EXPECT_TRUE(ini.deleted.empty());
}

// ---------------------------------------------------------------- the legacy ini

TEST(IniTextReaderTest, MarkersEndTheTextOrStandForLineBreaks)
{
    FakeIniFile ini;
    ini.set("S", "K_0", "Hello%");
    ini.set("S", "K_1", "World$");
    ini.set("S", "K_2", "after the end$");
    EXPECT_EQ(IniTextReader::read(ini, "S", "K"), "Hello\nWorld");

    ini.set("S", "J_0", "one\\");
    ini.set("S", "J_1", "tw#");
    ini.set("S", "J_2", "o\x95\x5C\\");  // 表 ends in a backslash byte, the marker follows it
    EXPECT_EQ(IniTextReader::read(ini, "S", "J"), "one\r\ntwo\x95\x5C\r\n");
}

TEST(IniTextReaderTest, MissingOrEmptyPartEndsTheText)
{
    FakeIniFile ini;
    EXPECT_EQ(IniTextReader::read(ini, "S", "K"), "");
    ini.set("S", "K_0", "a%");
    ini.set("S", "K_1", "");
    ini.set("S", "K_2", "lost$");
    EXPECT_EQ(IniTextReader::read(ini, "S", "K"), "a\n");
    ini.set("S", "K_1", "$");
    EXPECT_EQ(IniTextReader::read(ini, "S", "K"), "a\n");
}

TEST_F(VelmirProfilesTest, SingleProfileIniIsMigratedAndItsSectionsRemoved)
{
    FakeIniFile ini;
    ini.set("COLOR OPTION", "BG DEFAULT", "0");
    ini.set("COLOR OPTION", "BG COLOR", "16777215");
    ini.set("COLOR OPTION", "TEXT DEFAULT", "0");
    ini.set("COLOR OPTION", "TEXT COLOR", "255");
    ini.set("COLOR OPTION", "HIGH GROUP DEFAULT", "0");
    ini.set("COLOR OPTION", "HIGH GROUP COLOR", "65280");
    ini.set("COLOR OPTION", "GROUP COLOR", "12");  // still on the default
    ini.set("MESSAGE OPTION", "FIRST MESSAGE_0", "Hello%");
    ini.set("MESSAGE OPTION", "FIRST MESSAGE_1", "World$");
    ini.set("OTHER", "KEEP", "1");

    set.loadProfiles(&ini);

    ASSERT_EQ(set.profiles.size(), 1u);
    EXPECT_EQ(set.selected, 0);
    const ColorProfile& profile = set.currentProfile();
    EXPECT_EQ(profile.Name, "Default");
    EXPECT_EQ(profile.FirstMessage, "Hello\nWorld");
    expectColor(profile.BackGround, 0xffffff, false);
    expectColor(profile.Text, 0xff, false);
    expectColor(profile.HighGroup, 0xff00, false);
    expectColor(profile.Group, 12, true);
    expectColor(profile.Link, 0, true);
    expectColor(profile.VLink, 0, true);
    expectColor(profile.ALink, 0, true);
    EXPECT_EQ(ini.deleted, (std::set<std::string>{"COLOR OPTION", "MESSAGE OPTION"}));
    EXPECT_EQ(ini.values.size(), 1u);

    // The next start reads velmir.xml and leaves the ini alone.
    ProfileSet next;
    next.settingsFolder = set.settingsFolder;
    FakeIniFile untouched = ini;
    untouched.deleted.clear();
    next.loadProfiles(&untouched);
    EXPECT_EQ(next.currentProfile().FirstMessage, "Hello\nWorld");
    expectColor(next.currentProfile().HighGroup, 0xff00, false);
    EXPECT_TRUE(untouched.deleted.empty());
}

TEST_F(VelmirProfilesTest, SingleProfileIniStaysWhenVelmirXmlCannotBeWritten)
{
    FakeIniFile ini;
    ini.set("COLOR OPTION", "BG DEFAULT", "0");
    set.settingsFolder = (folder / "missing").string() + "/";

    set.loadProfiles(&ini);

    expectColor(set.currentProfile().BackGround, 0, false);
    EXPECT_TRUE(ini.deleted.empty());
    EXPECT_EQ(ini.values.size(), 1u);
}

TEST_F(VelmirProfilesTest, SeveralProfilesIniIsMigratedAndKept)
{
    FakeIniFile ini;
    ini.set("OPTION", "SELECT", "1");
    ini.set("OPTION", "COUNT", "3");
    ini.set("OPTION_0", "NAME", "first");
    ini.set("OPTION_0", "HIGH_GROUP_DEFAULT", "0");
    ini.set("OPTION_0", "HIGH_GROUP_COLOR", "255");
    ini.set("OPTION_1", "NAME", "\x95\x5C");
    ini.set("OPTION_1", "VLINK_DEFAULT", "0");
    ini.set("OPTION_1", "VLINK_COLOR", "4660");
    ini.set("OPTION_1", "ALINK_DEFAULT", "5");
    ini.set("OPTION_1", "FIRST_MESSAGE_0", "a\\");
    ini.set("OPTION_1", "FIRST_MESSAGE_1", "b$");
    const auto before = ini.values;

    set.loadProfiles(&ini);

    ASSERT_EQ(set.profiles.size(), 3u);
    EXPECT_EQ(set.selected, 1);
    EXPECT_EQ(set.profiles[0].Name, "first");
    expectColor(set.profiles[0].HighGroup, 0xff, false);
    expectColor(set.profiles[0].Group, 0, true);
    EXPECT_EQ(set.profiles[1].Name, "\x95\x5C");
    EXPECT_EQ(set.profiles[1].FirstMessage, "a\r\nb");
    expectColor(set.profiles[1].VLink, 0x1234, false);
    expectColor(set.profiles[1].ALink, 0, true);
    EXPECT_EQ(set.profiles[2].Name, "Default");  // a section that is missing
    expectAllOnDefault(set.profiles[2]);
    EXPECT_EQ(ini.values, before);
    EXPECT_TRUE(ini.deleted.empty());
    EXPECT_NE(fileBytes().find("<Select>1</Select><Profile><Name>first</Name>"), std::string::npos);
}

TEST_F(VelmirProfilesTest, SeveralProfilesIniWithOddCountsStillGivesProfiles)
{
    FakeIniFile ini;
    ini.set("OPTION", "SELECT", "4");
    set.loadProfiles(&ini);
    ASSERT_EQ(set.profiles.size(), 1u);  // COUNT defaults to 1
    EXPECT_EQ(set.selected, 0);
    EXPECT_EQ(set.currentProfile().Name, "Default");
    // The file keeps the selection as the ini had it; reading it brings it into range.
    EXPECT_NE(fileBytes().find("<Select>4</Select>"), std::string::npos);

    fs::remove(set.settingsFile());
    ini.set("OPTION", "COUNT", "0");
    set.loadProfiles(&ini);
    ASSERT_EQ(set.profiles.size(), 1u);
    EXPECT_EQ(set.currentProfile().Name, "Default");

    fs::remove(set.settingsFile());
    ini.set("OPTION", "COUNT", "2000000000");
    set.loadProfiles(&ini);
    EXPECT_EQ(set.profiles.size(), static_cast<size_t>(LegacyProfileIni::MaxProfiles));
}

}  // namespace
