#pragma once
// Any number of files of the kinds the other importers read: bookmark files
// in the HTML form, Internet Shortcuts and Opera hotlists, told apart by
// their extension. Always available.

#include "import/BookmarkImporter.h"

class AnyFileImporter : public BookmarkImporter {
public:
    // 1 when at least one chosen file could be read; 0 when the user
    // cancelled or none could (files of other kinds are passed over silently).
    int Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls) override;
    std::string GetName() const override;
    int IsAvailable() const override;

    // Reads one file with the reader its extension calls for, an HTML file
    // as UTF-8 when `utf8` is set (as the Mozilla importer does); 0 for
    // files of other kinds and files that cannot be read. rvltool's import
    // reads its files here too.
    static int ReadChosenFile(HWND owner, const std::string& path, std::vector<std::string>& titles,
                              std::vector<std::string>& urls, bool utf8 = false);
};
