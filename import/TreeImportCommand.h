#pragma once
// "フォルダ構造ごとインポート(&T)...": one Netscape-format bookmark file,
// folders and all, becomes a new group at the end of the book's top level.
// rvltool's "import --tree" reads and reports the same way.

#include "import/NetscapeTreeReader.h"

#include <windows.h>

#include <string>

class CRavloDoc;

class TreeImportCommand {
public:
    // Asks for the file, adds its tree to `document` (announced to the views,
    // the book marked modified) and tells how many folders and links came.
    static void run(CRavloDoc& document, HWND owner);
    // The tree of the file at `path` (code page 932), its group named after
    // the file and dated today; false, after telling the user with `owner`
    // as parent, when the file cannot be read.
    static bool readFile(HWND owner, const std::string& path, TreeImport& imported);
    // "%d 個のフォルダと %d 個のリンクをインポートしました。"
    static std::string summary(const TreeImport& imported);
};
