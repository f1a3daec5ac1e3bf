#pragma once
// Netscape Communicator's bookmark file (bookmark.htm, code page 932). The
// file dialog starts in the user's folder beside Netscape's install
// directory. Also home of the reader of bookmark files in the HTML form,
// which the Mozilla and any-file importers use too.

#include "import/BookmarkImporter.h"

class NetscapeBookmarkImporter : public BookmarkImporter {
public:
    static constexpr const char* RegistryKey = "Software\\Netscape\\Netscape Navigator\\Main";
    // The file dialog's filter for bookmark files in the HTML form.
    static constexpr const char* HtmlFilter =
        "ブックマークファイル (*.htm;*.html)|*.htm;*.html|全てのファイル (*.*)|*.*||";

    // `registryKey` (below HKEY_CURRENT_USER) holds Netscape's "Install Directory".
    explicit NetscapeBookmarkImporter(std::string registryKey = RegistryKey);

    int Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls) override;
    std::string GetName() const override;
    // Netscape's install directory is registered.
    int IsAvailable() const override;

    // Appends the links of a bookmark file in the HTML form, read as UTF-8
    // when `utf8` is set or the file declares it, otherwise as code page 932.
    // 1 when the file could be read (whatever it holds); 0 after telling the
    // user it could not.
    static int ParseHtmlBookmarks(HWND owner, const std::string& path, std::vector<std::string>& titles,
                                  std::vector<std::string>& urls, bool utf8);

private:
    // The Users folder beside the install directory, or its only subfolder
    // (the one profile). False when Netscape is not registered.
    bool LocateNetscapeFolder(std::string& folder) const;

    std::string registryKey_;
};
