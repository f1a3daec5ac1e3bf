#pragma once
// Opera's hotlist (.adr, UTF-8). The file dialog starts in the folder Opera
// last used. Also home of the hotlist reader, which the any-file importer
// uses too.

#include "import/BookmarkImporter.h"

class OperaBookmarkImporter : public BookmarkImporter {
public:
    static constexpr const char* RegistryKey = "Software\\Opera Software";

    // `registryKey` (below HKEY_CURRENT_USER) holds Opera's "Last Directory".
    explicit OperaBookmarkImporter(std::string registryKey = RegistryKey);

    // 0 without showing anything when Opera's last directory is not registered.
    int Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls) override;
    std::string GetName() const override;
    // Opera's last directory is registered.
    int IsAvailable() const override;

    // Appends the links of a hotlist file. 1 when the file could be read
    // (whatever it holds); 0 after telling the user it could not.
    static int ParseAdrFile(HWND owner, const std::string& path, std::vector<std::string>& titles,
                            std::vector<std::string>& urls);

private:
    bool ReadLastDirectory(std::string& folder) const;

    std::string registryKey_;
};
