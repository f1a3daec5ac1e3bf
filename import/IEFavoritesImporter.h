#pragma once
// Internet Explorer's favourites: the Internet Shortcut files directly in a
// folder the user picks, starting at the favourites folder. Subfolders are
// not entered.

#include "import/BookmarkImporter.h"

class IEFavoritesImporter : public BookmarkImporter {
public:
    // 1 when a folder was chosen, even one without shortcuts; 0 when the user
    // cancelled or the shell knows no favourites folder.
    int Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls) override;
    std::string GetName() const override;
    int IsAvailable() const override;

    // One Internet Shortcut file: appends its title (the file name without
    // folder and extension) and its URL (at most 259 characters) and returns
    // 1; returns 0 and appends nothing when the file has no URL to give.
    static int ReadUrlFile(HWND owner, const std::string& path, std::vector<std::string>& titles,
                           std::vector<std::string>& urls);

private:
    static void readFolder(HWND owner, const std::string& folder, std::vector<std::string>& titles,
                           std::vector<std::string>& urls);
};
