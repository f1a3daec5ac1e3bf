#include "model/FindMatcher.h"

#include "model/AsciiCase.h"
#include "model/ItemWalk.h"
#include "platform/CodePage.h"

namespace {

// Code page 932's full-width digits and letters: all double-byte characters
// whose first byte is 0x82.
const unsigned char FullWidthLead = 0x82;
const unsigned char FullWidthZero = 0x4F, FullWidthNine = 0x58;
const unsigned char FullWidthUpperA = 0x60, FullWidthUpperZ = 0x79;
const unsigned char FullWidthLowerA = 0x81, FullWidthLowerZ = 0x9A;
const unsigned char FullWidthSpaceLead = 0x81, FullWidthSpaceTrail = 0x40;

bool inRange(unsigned char byte, unsigned char first, unsigned char last)
{
    return byte >= first && byte <= last;
}

// The half-width twin of a full-width digit or letter; 0 for any other pair.
char halfWidthOf(unsigned char lead, unsigned char trail)
{
    if (lead != FullWidthLead) return 0;
    if (inRange(trail, FullWidthZero, FullWidthNine)) return static_cast<char>('0' + (trail - FullWidthZero));
    if (inRange(trail, FullWidthUpperA, FullWidthUpperZ)) return static_cast<char>('a' + (trail - FullWidthUpperA));
    if (inRange(trail, FullWidthLowerA, FullWidthLowerZ)) return static_cast<char>('a' + (trail - FullWidthLowerA));
    return 0;
}

bool isBlankAt(const std::string& text, size_t index, size_t length)
{
    const unsigned char byte = static_cast<unsigned char>(text[index]);
    if (length == 2)
        return byte == FullWidthSpaceLead && static_cast<unsigned char>(text[index + 1]) == FullWidthSpaceTrail;
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

std::vector<std::string> foldedWords(const std::string& query)
{
    std::vector<std::string> words;
    std::string word;
    for (size_t i = 0; i < query.size();) {
        const size_t length = CodePage::charLength(query, i);
        if (isBlankAt(query, i, length)) {
            if (!word.empty()) words.push_back(FindMatcher::fold(word));
            word.clear();
        } else {
            word.append(query, i, length);
        }
        i += length;
    }
    if (!word.empty()) words.push_back(FindMatcher::fold(word));
    return words;
}

// `word` occurs in `text` starting at a character, not at the second byte of
// a double-byte character. Boundaries are walked only as far as the matches.
bool containsWord(std::string_view text, const std::string& word)
{
    size_t boundary = 0;
    for (size_t found = text.find(word); found != std::string_view::npos; found = text.find(word, boundary)) {
        while (boundary < found) boundary += CodePage::charLength(text, boundary);
        if (boundary == found) return true;
    }
    return false;
}

}  // namespace

FindMatcher::FindMatcher(const std::string& query932, unsigned fields) : words_(foldedWords(query932)), fields_(fields)
{
}

std::string FindMatcher::fold(const std::string& text932)
{
    std::string folded;
    folded.reserve(text932.size());
    foldInto(text932, folded);
    return folded;
}

void FindMatcher::foldInto(const std::string& text932, std::string& folded)
{
    for (size_t i = 0; i < text932.size();) {
        const auto byte = static_cast<unsigned char>(text932[i]);
        // Most of a book is ASCII (URLs): no need to ask for a character's length.
        if (byte < 0x80) {
            folded += AsciiCase::lowered(text932[i++]);
            continue;
        }
        const size_t length = CodePage::charLength(text932, i);
        const char half = length == 2 ? halfWidthOf(byte, static_cast<unsigned char>(text932[i + 1])) : 0;
        if (half != 0)
            folded += half;
        else
            folded.append(text932, i, length);
        i += length;
    }
}

bool FindMatcher::matches(const BookmarkItem& item) const
{
    if (!hasWords()) return false;
    const std::string none;
    return matchesFolded((fields_ & Title) != 0 ? fold(item.title) : none, (fields_ & Url) != 0 ? fold(item.url) : none,
                         (fields_ & Message) != 0 ? fold(item.message) : none);
}

bool FindMatcher::matchesFolded(std::string_view title, std::string_view url, std::string_view message) const
{
    if (!hasWords()) return false;
    for (const std::string& word : words_)
        if (!occursIn(word, title, url, message)) return false;
    return true;
}

bool FindMatcher::occursIn(const std::string& word, std::string_view title, std::string_view url,
                           std::string_view message) const
{
    return ((fields_ & Title) != 0 && containsWord(title, word)) || ((fields_ & Url) != 0 && containsWord(url, word)) ||
           ((fields_ & Message) != 0 && containsWord(message, word));
}

std::vector<BookmarkItem*> FindMatcher::findIn(const BookmarkItem& root) const
{
    std::vector<BookmarkItem*> found;
    if (!hasWords()) return found;
    ItemWalk::forEachDescendant(root, [&](BookmarkItem& item) {
        if (matches(item)) found.push_back(&item);
    });
    return found;
}
