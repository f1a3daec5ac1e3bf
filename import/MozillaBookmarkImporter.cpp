#include "import/MozillaBookmarkImporter.h"

#include "app/ShellFolders.h"
#include "import/ImportFileDialog.h"
#include "import/ImportLocations.h"
#include "import/NetscapeBookmarkImporter.h"
#include "platform/PathJoin.h"

#include <shlobj.h>

#include <utility>

MozillaBookmarkImporter::MozillaBookmarkImporter(std::string applicationData)
    : applicationData_(std::move(applicationData))
{
}

int MozillaBookmarkImporter::Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls)
{
    std::string folder;
    if (!LocateMozillaFolder(folder)) return 0;
    const std::string path =
        ImportFileDialog::ChooseOne(owner, "html", "bookmarks.html", NetscapeBookmarkImporter::HtmlFilter, folder);
    if (path.empty()) return 0;
    return NetscapeBookmarkImporter::ParseHtmlBookmarks(owner, path, titles, urls, true);
}

std::string MozillaBookmarkImporter::GetName() const
{
    return "Netscape(6以降)のブックマークよりインポート";
}

int MozillaBookmarkImporter::IsAvailable() const
{
    std::string folder;
    return LocateMozillaFolder(folder) ? 1 : 0;
}

bool MozillaBookmarkImporter::LocateMozillaFolder(std::string& folder) const
{
    std::string applicationData = applicationData_;
    if (applicationData.empty() && !GetSpecialFolderPath(nullptr, CSIDL_APPDATA, applicationData)) return false;
    std::string profiles = PathJoin::join(applicationData, "Mozilla\\Profiles");
    if (!ImportLocations::IsFolder(profiles)) return false;
    for (int level = 0; level < 2; ++level) {
        std::string only;
        if (ImportLocations::FindSingleSubfolder(profiles, only) != 1) break;
        profiles = only;
    }
    folder = profiles;
    return true;
}
