#pragma once
// A book as a bookmark file in the Netscape format that browsers import and
// export, in UTF-8:
//
//   <!DOCTYPE NETSCAPE-Bookmark-file-1>
//   <META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
//   <TITLE>title</TITLE>
//   <H1>title</H1>
//   <DL><p>
//       <DT><H3 ADD_DATE="..." TAGS="...">Group</H3>      a Group: a folder
//       <DD>message                                       (only a non-empty one)
//       <DL><p>
//           <DT><A HREF="..." ADD_DATE="..." TAGS="...">Url</A>
//           <DD>first line<BR>second line
//           <HR ADD_DATE="...">                           a Separator
//       </DL><p>
//   </DL><p>
//
// A GroupUrl is a folder whose list begins with a link to the group's own URL
// under the group's title. ADD_DATE is the local midnight of a valid date
// text, in seconds since 1970; TAGS lists the set marks as マーク1 to マーク5.
// Titles, messages and attribute values are escaped for HTML; a CR LF in a
// message is a <BR>, every other line break a character reference, and so
// is a blank at the end of a message, which readers would drop. In a URL a
// double quote becomes "&quot;", control characters are percent-encoded
// and "&" is written as "&amp;" only where a browser would read a character
// reference, so the plain "&" of a query string stays as it is and the
// line-by-line importers read every link back whole. Every link stands on
// a line of its own.

#include "model/BookmarkItem.h"

#include <string>
#include <unordered_map>

class NetscapeBookmarkWriter {
public:
    // The items below `root` (the invisible root itself is not written);
    // `title932` names the file in TITLE and H1.
    static std::string write(const BookmarkItem& root, const std::string& title932);

private:
    NetscapeBookmarkWriter() = default;
    void writeChildren(const BookmarkItem& group, int depth);
    void writeItem(const BookmarkItem& item, int depth);
    void writeFolder(const BookmarkItem& item, int depth);
    void writeAnchor(const BookmarkItem& item, int depth);
    void writeMessage(const BookmarkItem& item, int depth);
    void writeDateAndTags(const BookmarkItem& item);
    // ` ADD_DATE="..."` for a date text, empty for one that names no day.
    const std::string& dateAttribute(const std::string& date);
    void startLine(int depth);

    std::string out_;
    std::unordered_map<std::string, std::string> dateAttributes_;
};
