#include "addin/AddinFinder.h"

#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <windows.h>

#include <vector>

namespace {

bool hasDllExtension(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".dll";
}

// The files (not folders) that match `pattern`, in the order the file system gives them.
std::vector<std::string> filesMatching(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(CodePage::toWide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(CodePage::fromWide(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

AddinList AddinFinder::discover(const std::string& folder, const std::string& settingsFolder)
{
    AddinList addins;
    for (const std::string& name : filesMatching(PathJoin::join(folder, "*", "dll"))) {
        // The search also matches short names such as X.DLL~1: check the extension.
        if (!hasDllExtension(name)) continue;
        auto addin = std::make_unique<AddinModule>();
        if (addin->load(PathJoin::join(folder, name)) && addin->initialize(settingsFolder))
            addins.push_back(std::move(addin));
    }
    return addins;
}
