#pragma once
// The links of a bookmark file in the HTML form Netscape-family browsers
// write: one link per line, as
//   <DT><A HREF="http://..." ADD_DATE="...">Title</A>
// The scan is line by line and forgiving: folders, separators, descriptions
// and every other tag yield nothing, and an anchor it cannot read on one line
// (no quoted value, no closing </A> on the same line) is skipped. Titles and
// URLs are taken as written: tags inside a title, character references and
// blanks stay. The text is code page 932; searches step over double-byte
// characters, so the second byte of a kanji never matches.

#include <string>
#include <string_view>
#include <vector>

class NetscapeBookmarkScanner {
public:
    // Appends the title and URL of every anchor found, in file order.
    static void scan(std::string_view text932, std::vector<std::string>& titles, std::vector<std::string>& urls);
    // True when a file's bytes say they are UTF-8: a byte order mark, or
    // "charset=UTF-8" (any letter case, the value optionally quoted) in the
    // head, where browsers that write UTF-8 put their META tag.
    static bool declaresUtf8(std::string_view bytes);
};
