#include "import/NetscapeBookmarkImporter.h"

#include "app/DebugLog.h"
#include "import/ImportFile.h"
#include "import/ImportFileDialog.h"
#include "import/ImportLocations.h"
#include "import/ImportPaths.h"
#include "import/NetscapeBookmarkScanner.h"

#include <utility>

NetscapeBookmarkImporter::NetscapeBookmarkImporter(std::string registryKey) : registryKey_(std::move(registryKey)) {}

int NetscapeBookmarkImporter::Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls)
{
    DEBUG_LOG("Import元ディレクトリ取得");
    std::string folder;
    LocateNetscapeFolder(folder);
    DEBUG_LOG("ファイルダイアログオープン");
    const std::string path = ImportFileDialog::ChooseOne(owner, "htm", "bookmark.htm", HtmlFilter, folder);
    if (path.empty()) return 0;
    DEBUG_LOG("ブックマークファイル解析得");
    return ParseHtmlBookmarks(owner, path, titles, urls, false);
}

std::string NetscapeBookmarkImporter::GetName() const
{
    return "Netscape Communicatorのブックマークよりインポート";
}

int NetscapeBookmarkImporter::IsAvailable() const
{
    std::string folder;
    return LocateNetscapeFolder(folder) ? 1 : 0;
}

int NetscapeBookmarkImporter::ParseHtmlBookmarks(HWND owner, const std::string& path, std::vector<std::string>& titles,
                                                 std::vector<std::string>& urls, bool utf8)
{
    std::string bytes;
    if (!ImportFile::Read(owner, path, bytes)) return 0;
    // A UTF-8 file read as 932 would give garbled titles, whichever importer was chosen.
    std::string converted;
    if (utf8 || NetscapeBookmarkScanner::declaresUtf8(bytes))
        ImportFile::ConvertFileCodePage(bytes, converted);
    else
        converted = std::move(bytes);
    NetscapeBookmarkScanner::scan(converted, titles, urls);
    return 1;
}

bool NetscapeBookmarkImporter::LocateNetscapeFolder(std::string& folder) const
{
    std::string installDirectory;
    if (!ImportLocations::ReadRegistryText(registryKey_, "Install Directory", installDirectory)) return false;
    const std::string users = ImportPaths::netscapeUsersFolder(installDirectory);
    std::string profile;
    folder = ImportLocations::FindSingleSubfolder(users, profile) == 1 ? profile : users;
    return true;
}
