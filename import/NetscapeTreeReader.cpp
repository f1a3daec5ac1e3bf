#include "import/NetscapeTreeReader.h"

#include "import/NetscapeBookmarkScanner.h"
#include "import/TextLines.h"
#include "model/AsciiCase.h"
#include "model/BookDepth.h"
#include "model/DateText.h"
#include "model/HtmlCharacterReferences.h"
#include "platform/CodePage.h"

#include <utility>
#include <vector>

// The new group stands at level 2 below the root, its deepest links one level
// below the deepest folder kept.
static_assert(2 + NetscapeTreeReader::MaxNesting + 1 <= kMaxItemDepth, "an import must fit in a book");

// The markup characters the reader looks for ("<", ">", "&", ";", quotes,
// "=", "/", "!", blanks) all lie below 0x40, which code page 932 never uses
// as the second byte of a pair: plain byte searches find whole characters.

namespace {

constexpr size_t npos = std::string_view::npos;
constexpr size_t MarkCount = 5;
const char* const MarkTags[MarkCount] = {"マーク1", "マーク2", "マーク3", "マーク4", "マーク5"};
// A line break inside a message, as the item dialog writes one.
const char* const MessageLineBreak = "\r\n";

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// ------------------------------------------------------------ code pages

// True when every byte sequence of `bytes` is well-formed UTF-8.
bool isValidUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                            : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

bool declaresSomeCharset(std::string_view bytes)
{
    constexpr size_t HeadSize = 1024;
    return AsciiCase::loweredBytes(bytes.substr(0, HeadSize)).find("charset=") != std::string::npos;
}

// The file in code page 932: a declared or byte-order-marked UTF-8 file is
// converted, a file that declares another charset is taken as it is, and an
// undeclared one is UTF-8 when it is valid UTF-8 (code page 932 text with
// kanji practically never is).
std::string fileText932(std::string_view bytes)
{
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark) return CodePage::fromUtf8(std::string(bytes.substr(ByteOrderMark.size())));
    const bool utf8 = NetscapeBookmarkScanner::declaresUtf8(bytes) || (!declaresSomeCharset(bytes) && isValidUtf8(bytes));
    return utf8 ? CodePage::fromUtf8(std::string(bytes)) : std::string(bytes);
}

// ------------------------------------------------------------ character references

// A numeric reference to no character is a slip of the file's writer: it is
// dropped from titles and descriptions rather than shown as code.
constexpr HtmlCharacterReferences References(HtmlCharacterReferences::NonCharacter::Dropped);

std::string decoded(std::string_view text) { return References.decoded(text); }

// ------------------------------------------------------------ tags

// The raw value of attribute `lowerName` in a tag's attribute text (names,
// then values quoted with either quote or bare up to a blank); false when
// the tag has none. Walked anew for each name: a tag has few attributes,
// and nothing is allocated.
bool rawAttribute(std::string_view text, std::string_view lowerName, std::string_view& value)
{
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && TextLines::isBlank(text[i])) ++i;
    };
    while (skipBlanks(), i < text.size()) {
        const size_t nameStart = i;
        while (i < text.size() && !TextLines::isBlank(text[i]) && text[i] != '=') ++i;
        const std::string_view name = text.substr(nameStart, i - nameStart);
        std::string_view found;
        skipBlanks();
        if (i < text.size() && text[i] == '=') {
            ++i;
            skipBlanks();
            const char quote = i < text.size() && (text[i] == '"' || text[i] == '\'') ? text[i] : '\0';
            const size_t valueStart = quote != '\0' ? ++i : i;
            while (i < text.size() && (quote != '\0' ? text[i] != quote : !TextLines::isBlank(text[i]))) ++i;
            found = text.substr(valueStart, i - valueStart);
            if (quote != '\0' && i < text.size()) ++i;
        }
        if (AsciiCase::equalsIgnoringCase(name, lowerName)) {
            value = found;
            return true;
        }
    }
    return false;
}

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    std::string_view attributes;

    bool is(const char* word, bool closed = false) const { return name == word && closing == closed; }
    // The decoded value of attribute `lowerName`; false when absent.
    bool attribute(std::string_view lowerName, std::string& value) const
    {
        std::string_view raw;
        if (!rawAttribute(attributes, lowerName, raw)) return false;
        value = decoded(raw);
        return true;
    }
};

// "<name attributes>" or "</name>" without the angle brackets.
Tag parseTag(std::string_view inside)
{
    Tag tag;
    size_t i = 0;
    if (i < inside.size() && inside[i] == '/') {
        tag.closing = true;
        ++i;
    }
    const size_t nameStart = i;
    while (i < inside.size() && (isLetter(inside[i]) || isDigit(inside[i]))) ++i;
    tag.name = AsciiCase::loweredBytes(inside.substr(nameStart, i - nameStart));
    if (!tag.closing) tag.attributes = inside.substr(i);
    return tag;
}

// ------------------------------------------------------------ fields

// Seconds since 1970 as the local date text; false for anything else.
bool dateOfSeconds(const std::string& text, std::string& date)
{
    constexpr size_t MostDigits = 11;  // beyond the year 9999 either way
    if (text.empty() || text.size() > MostDigits) return false;
    int64_t seconds = 0;
    for (char c : text) {
        if (!isDigit(c)) return false;
        seconds = seconds * 10 + (c - '0');
    }
    return DateText::ofLocalSeconds(seconds, date);
}

std::string_view trimmedBlanks(std::string_view text)
{
    while (!text.empty() && TextLines::isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && TextLines::isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Sets the marks named in a TAGS list ("マーク1,マーク3"); other tags are not marks.
void setMarksFromTags(BookmarkItem& item, const std::string& tags)
{
    for (size_t start = 0; start <= tags.size();) {
        size_t end = tags.find(',', start);
        if (end == std::string::npos) end = tags.size();
        const std::string_view tag = trimmedBlanks(std::string_view(tags).substr(start, end - start));
        for (size_t mark = 0; mark < MarkCount; ++mark)
            if (tag == MarkTags[mark]) item.setMark(mark, true);
        start = end + 1;
    }
}

// ------------------------------------------------------------ the tree

class TreeBuilder {
public:
    explicit TreeBuilder(const std::string& today) : today_(today), group_(BookmarkItem::create())
    {
        group_->makeGroup(std::string(), today_);
        levels_.push_back({group_.get(), 0, 1, false});
    }

    void onText(std::string_view text)
    {
        if (capture_ == Capture::Message)
            appendMessageText(text);
        else if (capture_ != Capture::None)
            captured_ += text;
    }

    void onTag(const Tag& tag)
    {
        if (capture_ != Capture::None) {
            if (endsCapture(tag)) {
                finishCapture();
                return;
            }
            if (!isStructural(tag)) {
                if (capture_ == Capture::Message && tag.is("br")) appendLineBreak();
                return;  // markup inside a title or description is dropped
            }
            finishCapture();
        }
        onStructuralTag(tag);
    }

    TreeImport finish(const std::string& fileName)
    {
        if (capture_ != Capture::None) finishCapture();
        group_->title = heading_.empty() ? fileName : heading_;
        return {group_, folders_, links_};
    }

private:
    enum class Capture { None, Heading, FolderTitle, LinkTitle, Message };

    // One open list: the group its items go into, that group's level below
    // the new group, and how many lists (repeats) are open on it.
    struct Level {
        BookmarkItem* group;
        int depth;
        size_t lists;
        bool ownFolder;  // opened by its folder's own heading, not a stray or flattened list
    };

    static bool isStructural(const Tag& tag)
    {
        for (const char* name : {"dt", "dl", "dd", "h1", "h3", "a", "hr"})
            if (tag.name == name) return true;
        return false;
    }

    bool endsCapture(const Tag& tag) const
    {
        switch (capture_) {
        case Capture::Heading: return tag.is("h1", true);
        case Capture::FolderTitle: return tag.is("h3", true);
        case Capture::LinkTitle: return tag.is("a", true);
        default: return tag.is("dd", true);
        }
    }

    void onStructuralTag(const Tag& tag)
    {
        if (tag.closing) {
            if (tag.name == "dl") closeList();
            return;
        }
        if (tag.name == "h1" && heading_.empty() && levels_.size() == 1) startCapture(Capture::Heading, nullptr);
        if (tag.name == "h3") startFolder(tag);
        if (tag.name == "a") startLink(tag);
        if (tag.name == "hr") addSeparator(tag);
        if (tag.name == "dl") openList();
        if (tag.name == "dd" && described_ != nullptr) {
            described_->message.clear();
            messageKept_ = 0;
            afterBreakTag_ = false;
            startCapture(Capture::Message, described_);
        }
    }

    Level& current() { return levels_.back(); }

    void startCapture(Capture capture, BookmarkItem* item)
    {
        capture_ = capture;
        capturedItem_ = item;
        captured_.clear();
    }

    void startFolder(const Tag& tag)
    {
        const ItemRef folder = newItem(tag);
        folder->type = ItemType::Group;
        current().group->appendChild(folder);
        ++folders_;
        pendingFolder_ = folder.get();
        described_ = folder.get();
        startCapture(Capture::FolderTitle, folder.get());
    }

    void startLink(const Tag& tag)
    {
        link_ = newItem(tag);
        link_->type = ItemType::Url;
        tag.attribute("href", link_->url);
        pendingFolder_ = nullptr;
        described_ = link_.get();
        startCapture(Capture::LinkTitle, link_.get());
    }

    ItemRef newItem(const Tag& tag)
    {
        const ItemRef item = BookmarkItem::create();
        std::string value;
        if (!tag.attribute("add_date", value) || !dateOfSeconds(value, item->date)) item->date = today_;
        if (tag.attribute("tags", value)) setMarksFromTags(*item, value);
        return item;
    }

    void addSeparator(const Tag& tag)
    {
        const ItemRef separator = newItem(tag);
        separator->type = ItemType::Separator;
        current().group->appendChild(separator);
        pendingFolder_ = nullptr;
        described_ = nullptr;
    }

    // A folder's list nests while the folder may hold items within
    // MaxNesting; any other list goes on in the group it stands in.
    void openList()
    {
        const int childDepth = current().depth + 1;
        if (pendingFolder_ != nullptr && childDepth < NetscapeTreeReader::MaxNesting)
            levels_.push_back({pendingFolder_, childDepth, 1, true});
        else
            ++current().lists;
        pendingFolder_ = nullptr;
    }

    void closeList()
    {
        pendingFolder_ = nullptr;
        described_ = nullptr;
        if (--current().lists > 0) return;
        if (levels_.size() > 1)
            levels_.pop_back();
        else
            current().lists = 1;  // the new group itself stays open
    }

    void finishCapture()
    {
        const Capture capture = capture_;
        capture_ = Capture::None;
        if (capture == Capture::Heading) heading_ = decoded(captured_);
        if (capture == Capture::FolderTitle) capturedItem_->title = decoded(captured_);
        if (capture == Capture::LinkTitle) addLink(std::move(link_), decoded(captured_));
        if (capture == Capture::Message) capturedItem_->message.resize(messageKept_);
        capturedItem_ = nullptr;
    }

    // A folder whose list starts with a link under the folder's own title is
    // the form a link-carrying group takes in the file.
    void addLink(ItemRef link, std::string title)
    {
        link->title = std::move(title);
        BookmarkItem& group = *current().group;
        if (current().ownFolder && group.children.empty() && group.type == ItemType::Group && group.title == link->title) {
            group.type = ItemType::GroupUrl;
            group.url = link->url;
            for (size_t mark = 0; mark < MarkCount; ++mark)
                if (link->hasMark(mark)) group.setMark(mark, true);
            described_ = &group;
            return;
        }
        group.appendChild(link);
        ++links_;
    }

    // Line breaks of the file become the message's; blanks after the last
    // text are the file's layout, not part of the description.
    void appendMessageText(std::string_view text)
    {
        std::string& message = capturedItem_->message;
        for (size_t i = 0; i < text.size();) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
                // The break right after a <BR> belongs to it.
                if (!afterBreakTag_) message += MessageLineBreak;
                afterBreakTag_ = false;
                continue;
            }
            afterBreakTag_ = false;
            if (c == '&') {
                i = References.appendReference(message, text, i);
                messageKept_ = message.size();
                continue;
            }
            message += c;
            if (!TextLines::isBlank(c)) messageKept_ = message.size();
            ++i;
        }
    }

    void appendLineBreak()
    {
        capturedItem_->message += MessageLineBreak;
        messageKept_ = capturedItem_->message.size();
        afterBreakTag_ = true;
    }

    const std::string& today_;
    ItemRef group_;
    std::vector<Level> levels_;
    std::string heading_;
    size_t folders_ = 0;
    size_t links_ = 0;
    BookmarkItem* pendingFolder_ = nullptr;  // the folder a following list belongs to
    BookmarkItem* described_ = nullptr;      // the item a following description belongs to
    Capture capture_ = Capture::None;
    BookmarkItem* capturedItem_ = nullptr;  // the item whose title or message is being read
    ItemRef link_;                          // the link whose title is being read, not added yet
    std::string captured_;
    size_t messageKept_ = 0;  // length of the message without its trailing layout blanks
    bool afterBreakTag_ = false;
};

// The ">" that ends the tag opened at text[open]. A ">" inside a quoted
// attribute value is part of the value, as browsers read it (a URL may hold
// one); a quote that no other closes in the rest of the file is taken for a
// stray character instead of swallowing everything after it.
size_t tagEnd(std::string_view text, size_t open)
{
    for (size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == '>') return i;
        if (text[i] != '=') continue;
        while (i + 1 < text.size() && TextLines::isBlank(text[i + 1])) ++i;
        if (i + 1 == text.size() || (text[i + 1] != '"' && text[i + 1] != '\'')) continue;
        const size_t closingQuote = text.find(text[i + 1], i + 2);
        if (closingQuote == npos) return text.find('>', i + 1);
        i = closingQuote;
    }
    return npos;
}

// Feeds the text and the tags of `text` to `builder`, skipping comments,
// declarations and processing instructions. A "<" that starts no tag is text.
void tokenize(std::string_view text, TreeBuilder& builder)
{
    size_t i = 0;
    while (i < text.size()) {
        const size_t open = text.find('<', i);
        if (open == npos) {
            builder.onText(text.substr(i));
            return;
        }
        const char next = open + 1 < text.size() ? text[open + 1] : '\0';
        if (!isLetter(next) && next != '/' && next != '!' && next != '?') {
            builder.onText(text.substr(i, open + 1 - i));
            i = open + 1;
            continue;
        }
        if (open > i) builder.onText(text.substr(i, open - i));
        if (text.compare(open, 4, "<!--") == 0) {
            const size_t end = text.find("-->", open + 4);
            if (end == npos) return;
            i = end + 3;
            continue;
        }
        const size_t close = tagEnd(text, open);
        if (close == npos) return;
        if (next != '!' && next != '?') builder.onTag(parseTag(text.substr(open + 1, close - open - 1)));
        i = close + 1;
    }
}

}  // namespace

TreeImport NetscapeTreeReader::read(std::string_view bytes, const std::string& fileName, const std::string& today)
{
    TreeBuilder builder(today);
    tokenize(fileText932(bytes), builder);
    return builder.finish(fileName);
}
