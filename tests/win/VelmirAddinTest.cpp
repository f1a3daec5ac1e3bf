// Velmir.dll through its exports: what they answer, the pages it makes and
// the legacy ini it migrates.

#include "VelmirTestSupport.h"

using namespace velmirtest;

namespace {

// ---------------------------------------------------------------- the exports

TEST_F(VelmirAddinTest, ExportsItsFunctionsUndecorated)
{
    load();
    EXPECT_EQ(canUse(0, 1), 1);
    EXPECT_EQ(canUse(-7, 12345), 1);
    EXPECT_STREQ(getVersion(), "Velmir ver 1.05");
    EXPECT_EQ(getVersion(), getVersion());
    const std::string copyright = getCopyright();
    EXPECT_NE(copyright.find("Copyright"), std::string::npos);
    EXPECT_EQ(copyright.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(init(nullptr), 1);
}

TEST_F(VelmirAddinTest, IconIsTheSharedResource1003InBothSizes)
{
    load();
    const HICON icon = getIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(getIcon(), icon);
    for (int size : {16, 32}) {
        const HICON image = static_cast<HICON>(LoadImageW(library, MAKEINTRESOURCEW(1003), IMAGE_ICON, size, size, 0));
        ASSERT_NE(image, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(image, &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(image);
    }
}

TEST_F(VelmirAddinTest, VersionResourceSaysFileVersion105)
{
    const std::wstring path = wide(dllPath);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010005u);
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104b0\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, L"1.05");
}

// ---------------------------------------------------------------- pages

TEST_F(VelmirAddinTest, WithoutSettingsThePageTakesBrowserColoursAndNothingIsWritten)
{
    loadAndInit();
    EXPECT_FALSE(fileExists(xmlPath));

    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath), PlainSamplePage);
    // The same stream again overwrites the page with the same bytes.
    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath), PlainSamplePage);
    EXPECT_FALSE(fileExists(xmlPath));
}

TEST_F(VelmirAddinTest, SelectedProfileOfVelmirXmlColoursThePage)
{
    writeFile(xmlPath, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Options><Profiles><Select>1</Select>"
                       "<Profile><Name>unused</Name></Profile>"
                       "<Profile><Name>used</Name>"
                       "<BackGround><Default>0</Default><Color>ffffff</Color></BackGround>"
                       "<Text><Default>0</Default><Color>0000ff</Color></Text>"
                       "<HighGroup><Default>0</Default><Color>00ff00</Color></HighGroup>"
                       "<FirstMessage>&lt;b&gt;" + Hyo + "&lt;/b&gt;\r\n</FirstMessage></Profile>"
                       "</Profiles></Options>");
    loadAndInit();

    ASSERT_EQ(makeSamplePage(), 1);

    std::string expected = samplePage("<body text=\"#ff0000\" bgcolor=\"#ffffff\">\r\n", "<b>" + Hyo + "</b>\r\n");
    const std::string heading = "</a>A&nbsp;&amp;&nbsp;B</h2>";
    expected.replace(expected.find(heading), heading.size(),
                     "</a><font color=\"#00ff00\">A&nbsp;&amp;&nbsp;B</font></h2>");
    EXPECT_EQ(fileBytes(pagePath), expected);
}

TEST_F(VelmirAddinTest, PageOfAMarkFilteredBook)
{
    loadAndInit();
    ItemRef book = sampleBook();
    ItemRef a = book->children.front()->children.front();
    a->children.back()->children.front()->setMark(4, true);
    MarkFilter filter;
    filter.all = false;
    filter.mark[4] = true;

    ASSERT_EQ(makePage(HtmlItemStream::make(*book, filter), pagePath), 1);

    const std::string page = fileBytes(pagePath);
    EXPECT_NE(page.find("<h2><a name=\"000\"></a>A&nbsp;&amp;&nbsp;B</h2>\r\n"
                        "<li>G：<a href=\"http://in/\">in</a></li>\r\n</ul>\r\n"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("http://x/"), std::string::npos);
}

TEST_F(VelmirAddinTest, EmptyBookGivesOnlyTheClosingTags)
{
    loadAndInit();
    ItemRef root = BookmarkItem::create();
    ASSERT_EQ(makePage(HtmlItemStream::make(*root), pagePath), 1);
    EXPECT_EQ(fileBytes(pagePath), "</body></html>\r\n");
}

TEST_F(VelmirAddinTest, FailuresAnswerZero)
{
    loadAndInit();
    ItemRef book = sampleBook();
    std::vector<uint8_t> stream = HtmlItemStream::make(*book);

    EXPECT_EQ(makePage(stream, PathJoin::join(folder, "missing\\page", "html")), 0);
    EXPECT_EQ(makePage(stream, ""), 0);
    EXPECT_EQ(makeHtml(reinterpret_cast<const char*>(stream.data()), static_cast<uint32_t>(stream.size()), nullptr), 0);

    // Someone else writing the file keeps the page out.
    const HANDLE other = CreateFileW(wide(pagePath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(makePage(stream, pagePath), 0);
    CloseHandle(other);

    // A stream that is not ours leaves an empty file.
    std::vector<uint8_t> foreign = stream;
    foreign[7] = '2';
    EXPECT_EQ(makePage(foreign, pagePath), 0);
    EXPECT_TRUE(fileExists(pagePath));
    EXPECT_EQ(fileBytes(pagePath), "");
    EXPECT_EQ(makeHtml(nullptr, 0, pagePath.c_str()), 0);

    std::vector<uint8_t> cut(stream.begin(), stream.end() - 5);
    EXPECT_EQ(makePage(cut, pagePath), 0);
    EXPECT_EQ(makePage(stream, pagePath), 1);
    EXPECT_EQ(fileBytes(pagePath), PlainSamplePage);
}

// ---------------------------------------------------------------- the legacy ini

TEST_F(VelmirAddinTest, SingleProfileIniBesideTheLibraryIsMigratedOnce)
{
    writeFile(iniPath, "[COLOR OPTION]\r\nBG DEFAULT=0\r\nBG COLOR=16777215\r\nTEXT DEFAULT=0\r\nTEXT COLOR=255\r\n"
                       "[MESSAGE OPTION]\r\nFIRST MESSAGE_0=" + Hyo + "%\r\nFIRST MESSAGE_1=<i>x</i>$\r\n"
                       "[OTHER]\r\nKEEP=1\r\n");
    loadAndInit();

    const std::string onDefault = "<Default>1</Default><Color>000000</Color>";
    EXPECT_EQ(fileBytes(xmlPath),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Options><Profiles><Select>0</Select>"
              "<Profile><Name>Default</Name>"
              "<BackGround><Default>0</Default><Color>ffffff</Color></BackGround>"
              "<Text><Default>0</Default><Color>0000ff</Color></Text>"
              "<Link>" + onDefault + "</Link><VLink>" + onDefault + "</VLink><ALink>" + onDefault + "</ALink>"
              "<Group>" + onDefault + "</Group><HighGroup>" + onDefault + "</HighGroup>"
              "<FirstMessage>" + Hyo + "\n&lt;i&gt;x&lt;/i&gt;</FirstMessage></Profile></Profiles></Options>");
    const std::string ini = fileBytes(iniPath);
    EXPECT_EQ(ini.find("COLOR OPTION"), std::string::npos) << ini;
    EXPECT_EQ(ini.find("MESSAGE OPTION"), std::string::npos) << ini;
    EXPECT_NE(ini.find("KEEP=1"), std::string::npos) << ini;

    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath),
              samplePage("<body text=\"#ff0000\" bgcolor=\"#ffffff\">\r\n", Hyo + "\n<i>x</i>"));
}

TEST_F(VelmirAddinTest, SeveralProfilesIniIsReadAndLeftAsItWas)
{
    const std::string ini = "[OPTION]\r\nSELECT=1\r\nCOUNT=2\r\n"
                            "[OPTION_0]\r\nNAME=zero\r\n"
                            "[OPTION_1]\r\nNAME=one\r\nLINK_DEFAULT=0\r\nLINK_COLOR=65280\r\n"
                            "FIRST_MESSAGE_0=a\\\r\nFIRST_MESSAGE_1=b$\r\n";
    writeFile(iniPath, ini);
    loadAndInit();

    EXPECT_EQ(fileBytes(iniPath), ini);
    const std::string xml = fileBytes(xmlPath);
    EXPECT_NE(xml.find("<Select>1</Select><Profile><Name>zero</Name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<Name>one</Name><BackGround>"), std::string::npos) << xml;

    ASSERT_EQ(makeSamplePage(), 1);
    EXPECT_EQ(fileBytes(pagePath), samplePage("<body link=\"#00ff00\">\r\n", "a\r\nb"));
}

}  // namespace
