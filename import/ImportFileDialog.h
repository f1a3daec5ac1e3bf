#pragma once
// The file-open dialog the importers show, with the read-only box hidden.
// Texts and paths are code page 932; the filter is "name|pattern|...||".

#include <windows.h>

#include <string>
#include <vector>

class ImportFileDialog {
public:
    // One file; empty when the user cancelled.
    static std::string ChooseOne(HWND owner, const std::string& defaultExtension, const std::string& fileName,
                                 const std::string& filter, const std::string& initialFolder);
    // Any number of files, in the dialog's order; empty when the user cancelled.
    static std::vector<std::string> ChooseMany(HWND owner, const std::string& defaultExtension,
                                               const std::string& filter, const std::string& initialFolder);
};
