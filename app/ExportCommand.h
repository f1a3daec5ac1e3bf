#pragma once
// "エクスポート(&E)...": the whole book as a bookmark file in the Netscape
// format, for a browser to import.

#include <windows.h>

class CRavloDoc;

class ExportCommand {
public:
    // Asks where to write the file (proposing the book's name with ".html"),
    // writes it and tells whether that worked. The book stays as it is.
    static void run(const CRavloDoc& document, HWND owner);
};
