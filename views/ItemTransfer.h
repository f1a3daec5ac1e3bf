#pragma once
// The data formats items travel in when they are dragged: the program's own
// items between its views (and between two running copies), links dragged
// out of browsers, and Internet Shortcut files from the shell. Decides what a
// drop may do and turns a dropped data object into new items.

#include "model/BookmarkItem.h"

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <string>
#include <vector>

class ItemTransfer {
public:
    // Registers the clipboard formats; call once, after OLE is initialised.
    void registerFormats();

    // The effect a view may offer for `data` under the key state: move or,
    // with Ctrl, copy for the program's own items; copy for a link or shell
    // files; none for anything else.
    DWORD canAccept(IDataObject* data, DWORD keyState) const;

    // Appends the items `data` holds to `out` and returns how many. Items
    // made from foreign data are dated `date`; the program's own items keep
    // theirs. A bad record among the program's own items throws the record
    // errors (SException, ArchiveException).
    size_t readItems(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const;

    // The two formats of the program's own items: the records and their count.
    CLIPFORMAT itemDataFormat() const { return itemData_; }
    CLIPFORMAT itemCountFormat() const { return itemCount_; }

private:
    bool offers(IDataObject* data, CLIPFORMAT format, LONG index = -1) const;
    bool offersOwnItems(IDataObject* data) const;
    size_t readOwnItems(IDataObject* data, std::vector<ItemRef>& out) const;
    size_t readHtmlLink(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const;
    size_t readVirtualFiles(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const;
    size_t readDroppedFiles(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const;

    CLIPFORMAT fileGroupDescriptor_ = 0;
    CLIPFORMAT netscapeBookmark_ = 0;
    CLIPFORMAT itemData_ = 0;
    CLIPFORMAT itemCount_ = 0;
    CLIPFORMAT fileContents_ = 0;
    CLIPFORMAT html_ = 0;
};
