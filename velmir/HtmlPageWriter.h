#pragma once
// Writes the web page of a book from the item stream the host sends: a first
// pass over the stream writes the page head and a table of contents of the
// top two group levels, a second pass the body with anchors, headings and
// link lines, in the colours of one profile. The stream is read forward in
// place, never copied or built into a tree.

#include "framework/Archive.h"
#include "framework/ByteFile.h"
#include "model/BookmarkItem.h"
#include "velmir/ColorProfile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class HtmlPageWriter {
public:
    // `today` is the date the page shows as its last update.
    HtmlPageWriter(ByteFile& stream, ByteFile& page, const ColorProfile& profile, std::string today);
    HtmlPageWriter(const HtmlPageWriter&) = delete;
    HtmlPageWriter& operator=(const HtmlPageWriter&) = delete;

    // Writes the whole page; true when it was. False when the stream does
    // not begin with the stream header (nothing is written), is cut short or
    // holds an impossible record, or the page cannot be written; what was
    // made of the page until then is written out.
    bool write();

private:
    enum class Pass { Contents, Body };
    // What is left to do for a record once its children are done.
    struct Frame {
        int64_t childrenLeft;
        const char* closing;
        bool endsInline;  // the children were written on the record's own line
    };
    struct Visit {
        bool readChildren;  // otherwise they are skipped unwritten, and so is the closing
        const char* closing;
        bool endsInline;
    };

    bool runPass(Pass pass);
    void walk(Archive& stream, Pass pass);
    void enter(Archive& stream, Pass pass, std::vector<Frame>& open);
    void leave(const Frame& frame);
    void skipRecords(Archive& stream, int64_t count);

    Visit visitContents(int depth);
    void writeContentsEntry();
    void writeContentsSubentry();
    void writePageHead();
    Visit visitBody(int depth);
    Visit visitBodyItem(int depth);
    Visit visitBodyLink();
    void writeInlineTitle();
    void writeTopGroupHeading();
    void writeGroupHeading(int depth);
    void writeListLine();
    void writeInlineLink();
    void writeLink();
    void writeMessage();

    void put(std::string_view bytes) { page_.writeBytes(bytes.data(), bytes.size()); }
    void putNumber(int value, int width);
    void putUrl(std::string_view url);
    void putColorAttribute(const char* attribute, const ColorSetting& setting);
    void putColoredTitle(const ColorSetting& setting);
    void flushWritten();

    ByteFile& streamFile_;
    Archive page_;
    const ColorProfile& profile_;
    const std::string today_;
    BookmarkItem record_;  // the record read last; its children stay unread
    int groupNumber_ = 0;
    int subgroupNumber_ = 0;
    bool inlineMode_ = false;
    bool headerPending_ = true;
};
