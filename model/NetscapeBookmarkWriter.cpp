#include "model/NetscapeBookmarkWriter.h"

#include "model/DateText.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace {

// Deeper levels keep this indentation: a book nested thousands of levels
// deep would otherwise give a file that grows with the square of its depth.
const int DeepestIndent = 16;

bool isAsciiAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether a browser would take the "&" before `after` for the start of a
// character reference: "&#...", or a name that does not end at "=" (which
// is how the next name of a query string ends).
bool startsReference(const std::string& text, size_t after)
{
    if (after < text.size() && text[after] == '#') return true;
    size_t end = after;
    while (end < text.size() && isAsciiAlphanumeric(text[end])) ++end;
    return end > after && (end == text.size() || text[end] != '=');
}

std::string percentEncoded(unsigned char byte)
{
    static const char hex[] = "0123456789ABCDEF";
    return {'%', hex[byte >> 4], hex[byte & 15]};
}

// Appends the text of an element or an attribute value, in UTF-8. A CR LF
// line break becomes <BR> in a message; other line breaks, and those
// elsewhere, become character references, so that a reader can tell them apart.
void appendEscaped(std::string& out, const std::string& text932, bool breaksAsBr)
{
    const std::string text = CodePage::toUtf8(text932);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else if (breaksAsBr && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        else if (breaksAsBr && c == '\n' && i > 0 && text[i - 1] == '\r') out += "<BR>";
        else if (c == '\r') out += "&#13;";
        else if (c == '\n') out += "&#10;";
        else out += c;
    }
}

// Readers take blanks at the end of a description for the file's layout:
// one that belongs to the message is written as a character reference.
void keepTrailingBlank(std::string& out)
{
    const char last = out.back();
    if (last != ' ' && last != '\t' && last != '\v' && last != '\f') return;
    out.pop_back();
    out += "&#" + std::to_string(static_cast<int>(last)) + ";";
}

void appendHref(std::string& out, const std::string& url932)
{
    const std::string url = CodePage::toUtf8(url932);
    for (size_t i = 0; i < url.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(url[i]);
        if (byte == '"') out += "&quot;";
        else if (byte < 0x20 || byte == 0x7F) out += percentEncoded(byte);
        else if (byte == '&' && startsReference(url, i + 1)) out += "&amp;";
        else out += url[i];
    }
}

std::string escaped(const std::string& text932)
{
    std::string out;
    appendEscaped(out, text932, false);
    return out;
}

}  // namespace

std::string NetscapeBookmarkWriter::write(const BookmarkItem& root, const std::string& title932)
{
    NetscapeBookmarkWriter writer;
    const std::string title = escaped(title932);
    writer.out_ = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                  "<TITLE>" + title + "</TITLE>\n"
                  "<H1>" + title + "</H1>\n"
                  "<DL><p>\n";
    writer.writeChildren(root, 1);
    writer.out_ += "</DL><p>\n";
    return std::move(writer.out_);
}

void NetscapeBookmarkWriter::writeChildren(const BookmarkItem& group, int depth)
{
    for (const ItemRef& child : group.children) writeItem(*child, depth);
}

void NetscapeBookmarkWriter::writeItem(const BookmarkItem& item, int depth)
{
    if (item.isGroup()) {
        writeFolder(item, depth);
    } else if (item.isSeparator()) {
        startLine(depth);
        out_ += "<HR";
        writeDateAndTags(item);
        out_ += ">\n";
    } else {
        writeAnchor(item, depth);
        writeMessage(item, depth);
    }
}

void NetscapeBookmarkWriter::writeFolder(const BookmarkItem& item, int depth)
{
    startLine(depth);
    out_ += "<DT><H3";
    writeDateAndTags(item);
    out_ += ">";
    appendEscaped(out_, item.title, false);
    out_ += "</H3>\n";
    writeMessage(item, depth);
    startLine(depth);
    out_ += "<DL><p>\n";
    if (item.hasUrl()) writeAnchor(item, depth + 1);
    writeChildren(item, depth + 1);
    startLine(depth);
    out_ += "</DL><p>\n";
}

void NetscapeBookmarkWriter::writeAnchor(const BookmarkItem& item, int depth)
{
    startLine(depth);
    out_ += "<DT><A HREF=\"";
    appendHref(out_, item.url);
    out_ += "\"";
    writeDateAndTags(item);
    out_ += ">";
    appendEscaped(out_, item.title, false);
    out_ += "</A>\n";
}

void NetscapeBookmarkWriter::writeMessage(const BookmarkItem& item, int depth)
{
    if (item.message.empty()) return;
    startLine(depth);
    out_ += "<DD>";
    appendEscaped(out_, item.message, true);
    keepTrailingBlank(out_);
    out_ += "\n";
}

void NetscapeBookmarkWriter::writeDateAndTags(const BookmarkItem& item)
{
    out_ += dateAttribute(item.date);
    std::string tags;
    for (int mark = 0; mark < MarkFilter::MarkCount; ++mark) {
        if (!item.hasMark(static_cast<size_t>(mark))) continue;
        if (!tags.empty()) tags += ",";
        tags += u8"マーク" + std::to_string(mark + 1);
    }
    if (!tags.empty()) out_ += " TAGS=\"" + tags + "\"";
}

const std::string& NetscapeBookmarkWriter::dateAttribute(const std::string& date)
{
    // Books hold few distinct dates, and the time zone lookup behind each
    // conversion costs more than writing the item.
    const auto known = dateAttributes_.find(date);
    if (known != dateAttributes_.end()) return known->second;
    int64_t seconds = 0;
    std::string attribute;
    if (DateText::toLocalMidnight(date, seconds)) attribute = " ADD_DATE=\"" + std::to_string(seconds) + "\"";
    return dateAttributes_.emplace(date, std::move(attribute)).first->second;
}

void NetscapeBookmarkWriter::startLine(int depth)
{
    out_.append(4 * static_cast<size_t>(std::min(depth, DeepestIndent)), ' ');
}
