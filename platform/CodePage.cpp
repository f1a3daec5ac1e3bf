#include "platform/CodePage.h"

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;  // 932 lacks it: becomes "?"

// Characters that UTF-8 sources use where 932 has a look-alike of its own;
// Windows' 932 table knows only the right-hand ones.
char32_t codePageTwin(char32_t c)
{
    switch (c) {
    case 0x301C: return 0xFF5E;  // wave dash 〜
    case 0x2212: return 0xFF0D;  // minus sign −
    case 0x2014: return 0x2015;  // em dash —
    case 0x2016: return 0x2225;  // double vertical line ‖
    case 0x00A2: return 0xFFE0;  // cent sign ¢
    case 0x00A3: return 0xFFE1;  // pound sign £
    case 0x00AC: return 0xFFE2;  // not sign ¬
    default: return c;
    }
}

void appendWide(std::wstring& out, char32_t c)
{
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

bool inRange(unsigned char byte, unsigned char lowest, unsigned char highest)
{
    return byte >= lowest && byte <= highest;
}

bool isAscii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

std::size_t endOfAscii(const std::string& text, std::size_t index)
{
    while (index < text.size() && isAscii(text[index]))
        ++index;
    return index;
}

// Decodes the multi-byte UTF-8 sequence at text[index], advancing index. An ill-formed
// sequence yields one replacement character for its longest well-formed start
// (the rule browsers follow), so a broken byte never swallows good text after it.
char32_t decodeUtf8At(const std::string& text, std::size_t& index)
{
    const unsigned char first = static_cast<unsigned char>(text[index++]);
    std::size_t continuations;
    char32_t c;
    unsigned char lowest = 0x80, highest = 0xBF;  // range of the next byte
    if (inRange(first, 0xC2, 0xDF)) {
        continuations = 1;
        c = first & 0x1F;
    } else if (inRange(first, 0xE0, 0xEF)) {
        continuations = 2;
        c = first & 0x0F;
        if (first == 0xE0) lowest = 0xA0;   // no overlong forms
        if (first == 0xED) highest = 0x9F;  // no surrogates
    } else if (inRange(first, 0xF0, 0xF4)) {
        continuations = 3;
        c = first & 0x07;
        if (first == 0xF0) lowest = 0x90;   // no overlong forms
        if (first == 0xF4) highest = 0x8F;  // nothing above U+10FFFF
    } else {
        return ReplacementCharacter;
    }
    for (; continuations > 0; --continuations) {
        if (index >= text.size())
            return ReplacementCharacter;
        const unsigned char next = static_cast<unsigned char>(text[index]);
        if (!inRange(next, lowest, highest))
            return ReplacementCharacter;
        c = (c << 6) | (next & 0x3F);
        lowest = 0x80;
        highest = 0xBF;
        ++index;
    }
    return c;
}

// 932 decodes to the Basic Multilingual Plane only, without surrogates.
void appendUtf8(std::string& out, wchar_t wide)
{
    const auto c = static_cast<char32_t>(wide);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

bool CodePage::isLeadByte(unsigned char byte)
{
    return inRange(byte, 0x81, 0x9F) || inRange(byte, 0xE0, 0xFC);
}

bool CodePage::isTrailByte(unsigned char byte)
{
    return inRange(byte, 0x40, 0x7E) || inRange(byte, 0x80, 0xFC);
}

std::size_t CodePage::charLength(std::string_view text, std::size_t index)
{
    if (index >= text.size())
        return 0;
    const bool pair = isLeadByte(static_cast<unsigned char>(text[index]))
        && index + 1 < text.size()
        && isTrailByte(static_cast<unsigned char>(text[index + 1]));
    return pair ? 2 : 1;
}

std::string CodePage::fromUtf8(const std::string& utf8)
{
    // ASCII is the same in both and makes up most of a bookmark file (URLs):
    // copy it straight and convert only the runs in between.
    std::string out;
    out.reserve(utf8.size());
    std::wstring run;
    for (std::size_t index = 0; index < utf8.size();) {
        const std::size_t asciiEnd = endOfAscii(utf8, index);
        out.append(utf8, index, asciiEnd - index);
        run.clear();
        for (index = asciiEnd; index < utf8.size() && !isAscii(utf8[index]);)
            appendWide(run, codePageTwin(decodeUtf8At(utf8, index)));
        out += fromWide(run);
    }
    return out;
}

std::string CodePage::fromCodePoint(char32_t c)
{
    std::wstring wide;
    appendWide(wide, codePageTwin(c));
    return fromWide(wide);
}

std::string CodePage::toUtf8(const std::string& text932)
{
    const std::wstring wide = toWide(text932);
    std::string utf8;
    utf8.reserve(wide.size() * 3);
    for (wchar_t c : wide)
        appendUtf8(utf8, c);
    return utf8;
}
