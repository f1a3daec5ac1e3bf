#pragma once
// One source of bookmarks from another browser or a file. The import dialog
// lists the sources present on this machine; the chosen one runs its own
// folder or file dialog and hands back a flat list of (title, URL) pairs in
// source order. Texts are code page 932.

#include <windows.h>

#include <string>
#include <vector>

class BookmarkImporter {
public:
    // Runs the source's selection with `owner` as parent and appends pairs
    // (titles[i] belongs to urls[i]). Nonzero when the result is to be shown
    // to the user; 0 when the user cancelled or nothing could be read.
    virtual int Import(HWND owner, std::vector<std::string>& titles, std::vector<std::string>& urls) = 0;
    // The text the import dialog lists.
    virtual std::string GetName() const = 0;
    // Nonzero when the source is present on this machine.
    virtual int IsAvailable() const = 0;
    virtual ~BookmarkImporter() = default;
};
