#include "addin/AddinFinder.h"

#include "platform/FolderListing.h"
#include "platform/PathJoin.h"

namespace {

bool hasDllExtension(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".dll";
}

}  // namespace

AddinList AddinFinder::discover(const std::string& folder, const std::string& settingsFolder)
{
    AddinList addins;
    for (const ListedFile& file : listFiles(PathJoin::join(folder, "*", "dll"))) {
        const std::string& name = file.name;
        // The search also matches short names such as X.DLL~1: check the extension.
        if (!hasDllExtension(name)) continue;
        auto addin = std::make_unique<AddinModule>();
        if (addin->load(PathJoin::join(folder, name)) && addin->initialize(settingsFolder))
            addins.push_back(std::move(addin));
    }
    return addins;
}
