#pragma once
// "フォルダ構造ごとインポート(&T)...": one Netscape-format bookmark file,
// folders and all, becomes a new group at the end of the book's top level.

#include <windows.h>

class CRavloDoc;

class TreeImportCommand {
public:
    // Asks for the file, adds its tree to `document` (announced to the views,
    // the book marked modified) and tells how many folders and links came.
    static void run(CRavloDoc& document, HWND owner);
};
