#include "import/OperaBookmarkImporter.h"

#include "import/HotlistScanner.h"
#include "import/ImportFile.h"
#include "import/ImportFileDialog.h"
#include "import/ImportLocations.h"

#include <utility>

OperaBookmarkImporter::OperaBookmarkImporter(std::string registryKey) : registryKey_(std::move(registryKey)) {}

int OperaBookmarkImporter::Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls)
{
    std::string folder;
    if (!ReadLastDirectory(folder)) return 0;
    const std::string path = ImportFileDialog::ChooseOne(
        owner, "adr", "Opera6.adr", "Operaブックマークファイル (*.adr)|*.adr|全てのファイル (*.*)|*.*||", folder);
    if (path.empty()) return 0;
    return ParseAdrFile(owner, path, titles, urls) != 0 ? 1 : 0;
}

std::string OperaBookmarkImporter::GetName() const
{
    return "Operaのブックマークよりインポート";
}

int OperaBookmarkImporter::IsAvailable() const
{
    std::string folder;
    return ReadLastDirectory(folder) ? 1 : 0;
}

int OperaBookmarkImporter::ParseAdrFile(HWND owner, const std::string& path, std::vector<std::string>& titles,
                                        std::vector<std::string>& urls)
{
    std::string bytes;
    if (!ImportFile::Read(owner, path, bytes)) return 0;
    std::string converted;
    ImportFile::ConvertFileCodePage(bytes, converted);
    HotlistScanner::scan(converted, titles, urls);
    return 1;
}

bool OperaBookmarkImporter::ReadLastDirectory(std::string& folder) const
{
    return ImportLocations::ReadRegistryText(registryKey_, "Last Directory", folder);
}
