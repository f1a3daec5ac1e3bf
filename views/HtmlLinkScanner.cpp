#include "views/HtmlLinkScanner.h"

#include "model/AsciiCase.h"
#include "model/HtmlCharacterReferences.h"
#include "platform/CodePage.h"

#include <map>

namespace {

// One tag as the scanner reads it.
struct Tag {
    enum class Kind { Comment, Opening, Closing };
    Kind kind = Kind::Opening;
    std::string name;                           // lower case
    std::map<std::string, std::string> values;  // attribute names in lower case
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Reads the tags of one text. Every position is a byte index; double-byte
// characters are stepped over as units, so their second byte is never taken
// for "<", ">" or a quote.
class TagReader {
public:
    explicit TagReader(const std::string& text) : text_(text) {}

    // The index of the next "<" at or after `from`; npos when none.
    size_t nextTagStart(size_t from) const
    {
        for (size_t i = from; i < text_.size(); i += CodePage::charLength(text_, i))
            if (text_[i] == '<') return i;
        return std::string::npos;
    }

    // Reads the tag starting at `start` (a "<"); false when it does not fit
    // the grammar. `end` is the index after the tag.
    bool read(size_t start, Tag& tag, size_t& end) const
    {
        size_t i = start + 1;
        if (text_.compare(i, 3, "!--") == 0) return readComment(i + 3, tag, end);
        if (i < text_.size() && text_[i] == '/') return readClosing(i + 1, tag, end);
        return readOpening(i, tag, end);
    }

private:
    bool readComment(size_t i, Tag& tag, size_t& end) const
    {
        const size_t close = text_.find("-->", i);
        if (close == std::string::npos) return false;
        tag.kind = Tag::Kind::Comment;
        end = close + 3;
        return true;
    }

    bool readClosing(size_t i, Tag& tag, size_t& end) const
    {
        tag.kind = Tag::Kind::Closing;
        tag.name = readName(i);
        i = skipSpaces(i);
        if (i >= text_.size() || text_[i] != '>') return false;
        end = i + 1;
        return true;
    }

    bool readOpening(size_t i, Tag& tag, size_t& end) const
    {
        tag.kind = Tag::Kind::Opening;
        tag.name = readName(i);
        for (;;) {
            i = skipSpaces(i);
            if (i >= text_.size()) return false;
            if (text_[i] == '>') {
                end = i + 1;
                return true;
            }
            const std::string attribute = readName(i);
            if (i >= text_.size() || text_[i] != '=') return false;
            ++i;
            std::string value;
            if (!readQuoted(i, value)) return false;
            tag.values[attribute] = value;
        }
    }

    // A name runs up to white space, "=", ">" or the end; lower-cased.
    std::string readName(size_t& i) const
    {
        const size_t start = i;
        while (i < text_.size() && !isSpace(text_[i]) && text_[i] != '=' && text_[i] != '>')
            i += CodePage::charLength(text_, i);
        return AsciiCase::lowered(text_.substr(start, i - start));
    }

    bool readQuoted(size_t& i, std::string& value) const
    {
        if (i >= text_.size() || text_[i] != '"') return false;
        ++i;
        while (i < text_.size() && text_[i] != '"') {
            const size_t length = CodePage::charLength(text_, i);
            value.append(text_, i, length);
            i += length;
        }
        if (i >= text_.size()) return false;
        ++i;
        return true;
    }

    size_t skipSpaces(size_t i) const
    {
        while (i < text_.size() && isSpace(text_[i])) ++i;
        return i;
    }

    const std::string& text_;
};

// The text between `from` and `to` with every tag taken out, cut before the
// first control character.
std::string textWithoutTags(const std::string& text, const TagReader& tags, size_t from, size_t to)
{
    std::string joined;
    size_t i = from;
    while (i < to) {
        const size_t start = tags.nextTagStart(i);
        if (start == std::string::npos || start >= to) {
            joined.append(text, i, to - i);
            break;
        }
        joined.append(text, i, start - i);
        Tag tag;
        size_t end = 0;
        if (!tags.read(start, tag, end)) {
            joined.append(text, start, to - start);
            break;
        }
        i = end;
    }
    size_t cut = 0;
    while (cut < joined.size()) {
        const auto byte = static_cast<unsigned char>(joined[cut]);
        if (byte < 32 || byte == 127) break;
        cut += CodePage::charLength(joined, cut);
    }
    return joined.substr(0, std::min(cut, joined.size()));
}

// An attribute value means its text with the character references decoded:
// a browser writes the "&" of a URL as "&amp;". A reference to no character
// stays as written, as anything else that is no reference.
constexpr HtmlCharacterReferences AttributeReferences(HtmlCharacterReferences::NonCharacter::KeptAsWritten);

}  // namespace

std::optional<HtmlLink> HtmlLinkScanner::firstLink(const std::string& html932)
{
    const TagReader tags(html932);
    Tag opening;
    size_t contentStart = 0;
    for (size_t start = tags.nextTagStart(0);; start = tags.nextTagStart(contentStart)) {
        if (start == std::string::npos) return std::nullopt;
        if (!tags.read(start, opening, contentStart)) return std::nullopt;
        if (opening.kind == Tag::Kind::Opening && opening.name == "a") break;
        opening = Tag();
    }
    size_t contentEnd = 0;
    for (size_t next = contentStart;;) {
        const size_t start = tags.nextTagStart(next);
        if (start == std::string::npos) return std::nullopt;
        Tag tag;
        if (!tags.read(start, tag, next)) return std::nullopt;
        if (tag.kind == Tag::Kind::Closing && tag.name == "a") {
            contentEnd = start;
            break;
        }
    }
    const auto href = opening.values.find("href");
    if (href == opening.values.end()) return std::nullopt;
    return HtmlLink{textWithoutTags(html932, tags, contentStart, contentEnd), AttributeReferences.decoded(href->second)};
}
