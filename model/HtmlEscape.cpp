#include "model/HtmlEscape.h"

#include "platform/CodePage.h"

namespace {

// The entity for a markup byte, or null for a byte copied as it is.
const char* entityFor(char byte)
{
    switch (byte) {
    case ' ':
        return "&nbsp;";
    case '"':
        return "&quot;";
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    default:
        return nullptr;
    }
}

}  // namespace

std::string htmlEscape(const std::string& text932)
{
    std::string escaped;
    escaped.reserve(text932.size());
    size_t plainStart = 0;  // bytes from here on are copied in one piece
    for (size_t i = 0; i < text932.size();) {
        // ASCII is never a lead byte, and most of a text is ASCII.
        const bool ascii = static_cast<unsigned char>(text932[i]) < 0x80;
        const size_t length = ascii ? 1 : CodePage::charLength(text932, i);
        const char* entity = length == 1 ? entityFor(text932[i]) : nullptr;
        if (entity != nullptr) {
            escaped.append(text932, plainStart, i - plainStart);
            escaped += entity;
            plainStart = i + 1;
        }
        i += length;
    }
    escaped.append(text932, plainStart, std::string::npos);
    return escaped;
}
