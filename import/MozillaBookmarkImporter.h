#pragma once
// The bookmark file of Netscape 6 and later and of Mozilla (bookmarks.html,
// UTF-8). The file dialog starts in the profile folder when there is only
// one, otherwise in Mozilla's Profiles folder.

#include "import/BookmarkImporter.h"

class MozillaBookmarkImporter : public BookmarkImporter {
public:
    // `applicationData` stands in for the shell's application-data folder
    // (tests); empty asks the shell.
    explicit MozillaBookmarkImporter(std::string applicationData = std::string());

    // 0 without showing anything when there is no Mozilla profile folder.
    int Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls) override;
    std::string GetName() const override;
    // The folder Mozilla\Profiles exists in the application-data folder.
    int IsAvailable() const override;

private:
    // Mozilla\Profiles, descending at most twice into an only subfolder.
    bool LocateMozillaFolder(std::string& folder) const;

    std::string applicationData_;
};
