#pragma once
// Path text the importers work out by themselves: which reader a chosen file
// needs, and where Netscape Communicator keeps its user folders. Paths are
// code page 932 and are walked by character.

#include <string>

class ImportPaths {
public:
    enum class FileKind { HtmlBookmarks, InternetShortcut, Hotlist, Other };

    // The reader a file needs, by its extension in any letter case: .htm and
    // .html bookmark files, .url Internet Shortcuts, .adr hotlists.
    static FileKind kindOf(const std::string& path);
    // The extension of the path's file name with its dot ("a.b.url" gives
    // ".url"); empty when the name has none.
    static std::string extensionOf(const std::string& path);
    // The "Users" folder beside Netscape's install directory. One trailing
    // backslash of the install directory is ignored, so that "Users" lies
    // beside it and not inside it.
    static std::string netscapeUsersFolder(const std::string& installDirectory);
};
