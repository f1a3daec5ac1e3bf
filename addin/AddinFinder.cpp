#include "addin/AddinFinder.h"

#include "model/AsciiCase.h"
#include "platform/FolderListing.h"
#include "platform/PathJoin.h"

namespace {

// "." is never the second byte of a double-byte character, nor any letter the
// first: four bytes that match are four characters of their own.
bool hasDllExtension(const std::string& name)
{
    constexpr std::string_view Extension = ".dll";
    return name.size() >= Extension.size()
        && AsciiCase::equalsIgnoringCase(std::string_view(name).substr(name.size() - Extension.size()), Extension);
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
