#include "import/AnyFileImporter.h"

#include "app/ShellFolders.h"
#include "import/IEFavoritesImporter.h"
#include "import/ImportFileDialog.h"
#include "import/ImportPaths.h"
#include "import/NetscapeBookmarkImporter.h"
#include "import/OperaBookmarkImporter.h"

#include <shlobj.h>

int AnyFileImporter::Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls)
{
    std::string documents;
    GetSpecialFolderPath(owner, CSIDL_PERSONAL, documents);
    const std::vector<std::string> paths = ImportFileDialog::ChooseMany(
        owner, "html",
        "HTMLファイル (*.htm;*.html)|*.htm;*.html|URLファイル (*.url)|*.url|ADRファイル (*.adr)|*.adr|"
        "全てのファイル (*.*)|*.*||",
        documents);
    int read = 0;
    for (const std::string& path : paths)
        read |= ReadChosenFile(owner, path, titles, urls);
    return read != 0 ? 1 : 0;
}

std::string AnyFileImporter::GetName() const
{
    return "任意のファイルよりインポート";
}

int AnyFileImporter::IsAvailable() const
{
    return 1;
}

int AnyFileImporter::ReadChosenFile(HWND owner, const std::string& path, std::vector<std::string>& titles,
                                    std::vector<std::string>& urls, bool utf8)
{
    switch (ImportPaths::kindOf(path)) {
    case ImportPaths::FileKind::InternetShortcut:
        return IEFavoritesImporter::ReadUrlFile(owner, path, titles, urls);
    case ImportPaths::FileKind::Hotlist:
        return OperaBookmarkImporter::ParseAdrFile(owner, path, titles, urls);
    case ImportPaths::FileKind::HtmlBookmarks:
        return NetscapeBookmarkImporter::ParseHtmlBookmarks(owner, path, titles, urls, utf8);
    case ImportPaths::FileKind::Other:
        break;
    }
    return 0;
}
