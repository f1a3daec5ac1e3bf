#include "import/ImporterList.h"

#include "import/AnyFileImporter.h"
#include "import/IEFavoritesImporter.h"
#include "import/MozillaBookmarkImporter.h"
#include "import/NetscapeBookmarkImporter.h"
#include "import/OperaBookmarkImporter.h"

std::vector<std::unique_ptr<BookmarkImporter>> createImporters()
{
    std::vector<std::unique_ptr<BookmarkImporter>> importers;
    importers.push_back(std::make_unique<IEFavoritesImporter>());
    importers.push_back(std::make_unique<NetscapeBookmarkImporter>());
    importers.push_back(std::make_unique<MozillaBookmarkImporter>());
    importers.push_back(std::make_unique<OperaBookmarkImporter>());
    importers.push_back(std::make_unique<AnyFileImporter>());
    return importers;
}
