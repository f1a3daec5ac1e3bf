#pragma once
// Velmir.dll as the host uses it: a copy of the library in a folder of its
// own (where a legacy Velmir.ini may lie), the settings folder handed to
// VLInit, and pages made from the stream the host writes.

#include "addin/AddinExports.h"
#include "framework/MemoryFile.h"
#include "model/ItemRecord.h"
#include "model/TodayText.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"
#include "model/HtmlItemStream.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace velmirtest {

using namespace AddinExports;

// 表: its second byte is a backslash.
inline const std::string Hyo = "\x95\x5C";
inline const char* const Date = "2001/02/03";

// CMake gives a Linux path; Wine sees the Linux root as drive Z:.
inline std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

inline std::wstring wide(const std::string& text932)
{
    return CodePage::toWide(text932);
}

inline bool fileExists(const std::string& path)
{
    return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(wide(path).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(wide(path).c_str(), std::ios::binary) << bytes;
}

// Group T holding group A, which holds one link and one link group with a child.
inline ItemRef sampleBook()
{
    ItemRef root = BookmarkItem::create();
    ItemRef a = root->addGroupChild("T", Date)->addGroupChild("A & B", Date);
    a->addUrlChild("表示", "http://x/?a=1&b=2", "メモ", Date);
    ItemRef linkGroup = BookmarkItem::create();
    linkGroup->makeGroupUrl("G", "http://g/", "", Date);
    a->appendChild(linkGroup);
    linkGroup->addUrlChild("in", "http://in/", "", Date);
    return root;
}

inline std::string samplePage(const std::string& bodyTag, const std::string& firstMessage)
{
    return "<html><head><title>T</title></head>\r\n" + bodyTag + "<h1>T</h1>\r\n<hr>\r\n" + firstMessage +
           "<br>最終更新 <b>" + todayText() + "</b><br>\r\n"
           "<hr><ul>\r\n<li><a href=\"#000\">A&nbsp;&amp;&nbsp;B</a></li>\r\n</ul><hr>\r\n"
           "<ul>\r\n"
           "<h2><a name=\"000\"></a>A&nbsp;&amp;&nbsp;B</h2>\r\n"
           "<li><a href=\"http://x/?a=1&b=2\">表示</a>：メモ</li>\r\n"
           "<li><a href=\"http://g/\">G</a>：<a href=\"http://in/\">in</a></li>\r\n"
           "</ul>\r\n"
           "</body></html>\r\n";
}

inline const std::string PlainSamplePage = samplePage("<body>\r\n", "");

class VelmirAddinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = PathJoin::join(CodePage::fromWide(temp), "velmir-" + std::to_string(GetCurrentProcessId()));
        addinFolder = PathJoin::join(folder, "addin");
        settingsFolder = PathJoin::join(folder, "settings" + Hyo);
        for (const std::string& path : {folder, addinFolder, settingsFolder})
            ASSERT_TRUE(CreateDirectoryW(wide(path).c_str(), nullptr)) << path;
        dllPath = PathJoin::join(addinFolder, "Velmir", "dll");
        iniPath = PathJoin::join(addinFolder, "Velmir", "ini");
        pagePath = PathJoin::join(folder, "page", "html");
        xmlPath = PathJoin::join(settingsFolder, "velmir", "xml");
        ASSERT_TRUE(CopyFileW(wide(windowsPath(VELMIR_DLL)).c_str(), wide(dllPath).c_str(), FALSE));
    }
    void TearDown() override
    {
        if (library != nullptr) FreeLibrary(library);
        for (const std::string& file : {dllPath, iniPath, pagePath, xmlPath}) DeleteFileW(wide(file).c_str());
        for (const std::string& path : {settingsFolder, addinFolder, folder}) RemoveDirectoryW(wide(path).c_str());
    }

    // Loads the copy, as the host does, and binds what it exports.
    void load()
    {
        library = LoadLibraryW(wide(dllPath).c_str());
        ASSERT_NE(library, nullptr) << GetLastError();
        canUse = bind<CanUseFunction>("VLCanUse");
        getVersion = bind<TextFunction>("VLGetVersion");
        getCopyright = bind<TextFunction>("VLGetCopyright");
        makeHtml = bind<MakeHtmlFunction>("VLMakeHtml");
        getIcon = bind<IconFunction>("VLGetIcon");
        init = bind<InitFunction>("VLInit");
        openSettings = bind<OpenSettingsFunction>("VLOpenSettingDlg");
        ASSERT_TRUE(canUse && getVersion && getCopyright && makeHtml && getIcon && init && openSettings);
    }
    void loadAndInit()
    {
        load();
        ASSERT_EQ(canUse(0, 1), 1);
        ASSERT_EQ(init(settingsFolder.c_str()), 1);
    }
    template <typename Function>
    Function bind(const char* name) const
    {
        return AddinExports::bind<Function>(library, name);
    }

    int makePage(const std::vector<uint8_t>& stream, const std::string& path)
    {
        return makeHtml(reinterpret_cast<const char*>(stream.data()), static_cast<uint32_t>(stream.size()),
                        path.c_str());
    }
    int makeSamplePage()
    {
        ItemRef book = sampleBook();
        return makePage(HtmlItemStream::make(*book), pagePath);
    }

    std::string folder, addinFolder, settingsFolder, dllPath, iniPath, pagePath, xmlPath;
    HMODULE library = nullptr;
    CanUseFunction canUse = nullptr;
    TextFunction getVersion = nullptr;
    TextFunction getCopyright = nullptr;
    MakeHtmlFunction makeHtml = nullptr;
    IconFunction getIcon = nullptr;
    InitFunction init = nullptr;
    OpenSettingsFunction openSettings = nullptr;
};

}  // namespace velmirtest
