#pragma once
// The whole tree of a bookmark file in the Netscape format that every
// browser exports:
//   <H1>Bookmarks</H1>
//   <DL><p>
//     <DT><H3 ADD_DATE="1700000000">Folder</H3>
//     <DD>Description<BR>second line
//     <DL><p> ... </DL><p>
//     <DT><A HREF="http://..." ADD_DATE="..." TAGS="マーク1,マーク3">Title</A>
//     <HR>
//   </DL><p>
// Unlike the line scanner of the flat importers, this reads the file as a
// stream of tags (any letter case, any line breaks), keeps the folders and
// decodes character references. A folder whose list starts with a link of
// its own title is a link-carrying group, as Ravlo's export writes one.

#include "model/BookmarkItem.h"

#include <cstddef>
#include <string>
#include <string_view>

struct TreeImport {
    ItemRef group;       // the new group holding the tree; no parent yet
    size_t folders = 0;  // groups made from folders (link-carrying ones too)
    size_t links = 0;    // links made from anchors
};

class NetscapeTreeReader {
public:
    // Levels of folders kept below the new group. A book must stay within
    // what a saved book can be read back at (the DOM reader under Wine stops
    // at 256 nested elements, two a level), and hostile input must not make
    // a tree deep enough to exhaust the stack of the recursive walks: the
    // contents of deeper folders are added to the deepest folder kept, after
    // an empty group that carries the folder's title, so nothing is lost.
    static constexpr int MaxNesting = 100;

    // `bytes`: the whole file, UTF-8 (with a byte order mark, a charset
    // declaration, or valid UTF-8 without one) or else code page 932.
    // `fileName` names the group when the file has no H1 heading; `today`
    // dates the group and every item (separators too) without ADD_DATE.
    static TreeImport read(std::string_view bytes, const std::string& fileName, const std::string& today);
};
