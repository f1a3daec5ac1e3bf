#include "import/NetscapeBookmarkScanner.h"

#include "import/TextLines.h"
#include "model/AsciiCase.h"
#include "platform/CodePage.h"

// Every character the scan looks for except the letters ("<", ">", "/", the
// double quote, blanks) lies below 0x40, which code page 932 never uses as the
// second byte of a pair: a plain byte search finds only whole characters.
// Only the search for "href" has to step over double-byte characters.

namespace {

constexpr size_t npos = std::string_view::npos;

bool isLetterA(char c) { return c == 'A' || c == 'a'; }

// Length of the character at line[i] (i inside the line).
size_t charLengthAt(std::string_view line, size_t i)
{
    const auto byte = static_cast<unsigned char>(line[i]);
    return byte >= 0x80 && CodePage::isLeadByte(byte) && i + 1 < line.size()
            && CodePage::isTrailByte(static_cast<unsigned char>(line[i + 1]))
        ? 2
        : 1;
}

// Answers whether "href" or "HREF" starts at a character at or after a
// position. The positions asked for only grow along a line, so the last
// answer is kept: the line is walked at most once however many anchors it
// holds (a line of thousands of "<A " without any href stays linear).
class HrefFinder {
public:
    explicit HrefFinder(std::string_view line) : line_(line) {}

    // `from` must start a character and be at least the previous `from`.
    bool occursFrom(size_t from)
    {
        if (searched_ && (found_ == npos || found_ >= from)) return found_ != npos;
        searched_ = true;
        found_ = npos;
        for (size_t i = from; i + 4 <= line_.size(); i += charLengthAt(line_, i)) {
            const std::string_view word = line_.substr(i, 4);
            if (word == "href" || word == "HREF") {
                found_ = i;
                break;
            }
        }
        return found_ != npos;
    }

private:
    std::string_view line_;
    bool searched_ = false;
    size_t found_ = npos;
};

// "<A" or "<a" followed by a blank at `open`.
bool isAnchorStart(std::string_view line, size_t open)
{
    return open + 2 < line.size() && isLetterA(line[open + 1]) && TextLines::isBlank(line[open + 2]);
}

// "</A" or "</a" followed by a blank or ">" at `closing`.
bool isAnchorEnd(std::string_view line, size_t closing)
{
    return closing + 3 < line.size() && isLetterA(line[closing + 2])
        && (TextLines::isBlank(line[closing + 3]) || line[closing + 3] == '>');
}

struct Links {
    std::vector<std::string>& titles;
    std::vector<std::string>& urls;
};

// The anchor whose attributes start at `attributes`: its first quoted value
// is the URL, its text up to the closing anchor the title. Returns the
// position after the closing anchor, npos when the line holds no such link.
size_t takeAnchor(std::string_view line, size_t attributes, Links& links)
{
    const size_t quote = line.find('"', attributes);
    if (quote == npos) return npos;
    const size_t endQuote = line.find('"', quote + 1);
    if (endQuote == npos) return npos;
    const size_t tagEnd = line.find('>', endQuote + 1);
    if (tagEnd == npos) return npos;
    const size_t titleStart = tagEnd + 1;
    for (size_t from = titleStart;;) {
        const size_t closing = line.find("</", from);
        if (closing == npos) return npos;
        const size_t closingEnd = line.find('>', closing + 2);
        if (closingEnd == npos) return npos;
        if (isAnchorEnd(line, closing)) {
            links.titles.emplace_back(line.substr(titleStart, closing - titleStart));
            links.urls.emplace_back(line.substr(quote + 1, endQuote - quote - 1));
            return closingEnd + 1;
        }
        from = closingEnd + 1;
    }
}

void scanLine(std::string_view line, Links& links)
{
    HrefFinder href(line);
    for (size_t p = 0; p < line.size();) {
        const size_t open = line.find('<', p);
        if (open == npos) return;
        size_t next;
        if (!isAnchorStart(line, open)) {
            next = line.find('>', open + 1);
            if (next != npos) ++next;
        } else if (!href.occursFrom(open + 3)) {
            next = line.find('>', open + 3);
        } else {
            next = takeAnchor(line, open + 3, links);
        }
        if (next == npos) return;
        p = next;
    }
}

}  // namespace

bool NetscapeBookmarkScanner::declaresUtf8(std::string_view bytes)
{
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    constexpr size_t HeadSize = 1024;
    if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark) return true;
    const std::string head = AsciiCase::loweredBytes(bytes.substr(0, HeadSize));
    constexpr std::string_view Charset = "charset=";
    for (size_t at = head.find(Charset); at != std::string::npos; at = head.find(Charset, at + 1)) {
        size_t value = at + Charset.size();
        if (value < head.size() && (head[value] == '"' || head[value] == '\'')) ++value;
        if (head.compare(value, 5, "utf-8") == 0) return true;
    }
    return false;
}

void NetscapeBookmarkScanner::scan(std::string_view text932, std::vector<std::string>& titles,
                                   std::vector<std::string>& urls)
{
    Links links{titles, urls};
    TextLines lines(text932);
    std::string_view line;
    while (lines.next(line))
        scanLine(line, links);
}
