#include "model/HtmlCharacterReferences.h"

#include "model/AsciiCase.h"
#include "platform/CodePage.h"

#include <optional>

// "&" and ";" lie below 0x40, which code page 932 never uses as the second
// byte of a pair: plain byte searches find whole characters.

namespace {

// Longer than "&#x10FFFF;" with a few leading zeros: a longer text after "&"
// stays as written, so an "&" without ";" never costs a search to the end.
constexpr size_t LongestReference = 16;
constexpr char32_t LastCodePoint = 0x10FFFF;
constexpr char32_t NoBreakSpace = 0xA0;

struct Named {
    std::string_view name;
    char32_t character;
};
constexpr Named NamedReferences[] = {{"amp", '&'},   {"lt", '<'},    {"gt", '>'},
                                     {"quot", '"'}, {"apos", '\''}, {"nbsp", NoBreakSpace}};

int digitValue(char c, int base)
{
    if (c >= '0' && c <= '9') return c - '0';
    const char letter = AsciiCase::lowered(c);
    if (base == 16 && letter >= 'a' && letter <= 'f') return letter - 'a' + 10;
    return -1;
}

// What the text between "&" and ";" is.
struct Reference {
    enum class Kind { NoReference, Character, NonCharacter };
    Kind kind = Kind::NoReference;
    char32_t character = 0;
};

// The number `digits` in `base`, no longer counted once it passes the last
// code point, so that no count of digits can wrap it.
Reference numbered(std::string_view digits, int base)
{
    if (digits.empty()) return {};
    char32_t c = 0;
    for (char digit : digits) {
        const int value = digitValue(digit, base);
        if (value < 0) return {};
        if (c <= LastCodePoint) c = c * static_cast<char32_t>(base) + static_cast<char32_t>(value);
    }
    if (c > LastCodePoint || c == 0 || (c >= 0xD800 && c <= 0xDFFF)) return {Reference::Kind::NonCharacter};
    return {Reference::Kind::Character, c};
}

Reference referenced(std::string_view name)
{
    for (const Named& named : NamedReferences)
        if (name == named.name) return {Reference::Kind::Character, named.character};
    if (name.size() < 2 || name[0] != '#') return {};
    const bool hexadecimal = AsciiCase::lowered(name[1]) == 'x';
    return numbered(name.substr(hexadecimal ? 2 : 1), hexadecimal ? 16 : 10);
}

void appendCharacter(std::string& out, char32_t c)
{
    if (c == NoBreakSpace) c = ' ';  // 932 has none
    if (c < 0x80)
        out += static_cast<char>(c);
    else
        out += CodePage::fromCodePoint(c);
}

}  // namespace

size_t HtmlCharacterReferences::appendReference(std::string& out, std::string_view text932, size_t at) const
{
    const std::string_view rest = text932.substr(at + 1, LongestReference);
    const size_t semicolon = rest.find(';');
    const Reference reference = semicolon == std::string_view::npos ? Reference() : referenced(rest.substr(0, semicolon));
    const bool kept = reference.kind == Reference::Kind::NoReference
                   || (reference.kind == Reference::Kind::NonCharacter && nonCharacter_ == NonCharacter::KeptAsWritten);
    if (kept) {
        out += '&';
        return at + 1;
    }
    if (reference.kind == Reference::Kind::Character) appendCharacter(out, reference.character);
    return at + semicolon + 2;
}

std::string HtmlCharacterReferences::decoded(std::string_view text932) const
{
    std::string out;
    out.reserve(text932.size());
    for (size_t i = 0; i < text932.size();) {
        const size_t amp = text932.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(text932.substr(i));
            break;
        }
        out.append(text932.substr(i, amp - i));
        i = appendReference(out, text932, amp);
    }
    return out;
}
