#include "model/BookBytes.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

const char kKeyword[] = "<!DOCTYPE";
constexpr size_t kKeywordLength = sizeof kKeyword - 1;
// "<?xm" in EBCDIC: the XML way of telling that a document is EBCDIC text.
const char kEbcdicStart[] = "\x4C\x6F\xA7\x94";

// The keyword in code units of `width` bytes, the character byte last
// (big-endian) or first.
std::string keywordIn(size_t width, bool bigEndian)
{
    std::string pattern;
    for (size_t i = 0; i < kKeywordLength; ++i) {
        std::string unit(width, '\0');
        unit[bigEndian ? width - 1 : 0] = kKeyword[i];
        pattern += unit;
    }
    return pattern;
}

struct Form {
    std::string pattern;
    size_t lessThanAt;  // where the '<' byte stands in the pattern
};

const std::array<Form, 5>& forms()
{
    static const std::array<Form, 5> all = {{
        {keywordIn(1, false), 0},
        {keywordIn(2, false), 0},
        {keywordIn(2, true), 1},
        {keywordIn(4, false), 0},
        {keywordIn(4, true), 3},
    }};
    return all;
}

bool matchesAt(const char* bytes, size_t size, size_t lessThan, const Form& form)
{
    if (lessThan < form.lessThanAt) return false;
    const size_t start = lessThan - form.lessThanAt;
    return size - start >= form.pattern.size() &&
           std::memcmp(bytes + start, form.pattern.data(), form.pattern.size()) == 0;
}

}  // namespace

bool mayDeclareDocumentType(const char* bytes, size_t size)
{
    if (size >= 4 && std::memcmp(bytes, kEbcdicStart, 4) == 0) return true;
    // Every form holds the byte '<': only those places need a closer look.
    const std::string_view text(bytes, size);
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        // In every form the '<' is followed by '!' or a zero byte, or follows a zero byte.
        const bool formLike = (at + 1 < size && (bytes[at + 1] == '!' || bytes[at + 1] == '\0')) ||
                              (at > 0 && bytes[at - 1] == '\0');
        for (const Form& form : forms())
            if (formLike && matchesAt(bytes, size, at, form)) return true;
    }
    return false;
}

std::string withCarriageReturnReferences(std::string xml)
{
    static const char standIn[] = "\xEE\xA0\x80";  // kCarriageReturnStandIn in UTF-8
    static_assert(kCarriageReturnStandIn == 0xE800, "the UTF-8 bytes above");
    if (xml.find(standIn) == std::string::npos) return xml;
    std::string out;
    out.reserve(xml.size());
    size_t copied = 0;
    for (size_t at = xml.find(standIn); at != std::string::npos; at = xml.find(standIn, copied)) {
        out.append(xml, copied, at - copied).append("&#13;");
        copied = at + sizeof standIn - 1;
    }
    return out.append(xml, copied, std::string::npos);
}
