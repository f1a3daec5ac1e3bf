#include "views/InternetShortcut.h"

#include "platform/CodePage.h"

#include <cstring>
#include <vector>

namespace {

bool startsWithNoCase(const std::string& line, const char* prefix)
{
    const size_t length = std::strlen(prefix);
    if (line.size() < length) return false;
    for (size_t i = 0; i < length; ++i) {
        const char c = line[i];
        const char folded = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        const char wanted = prefix[i] >= 'a' && prefix[i] <= 'z' ? static_cast<char>(prefix[i] - 'a' + 'A') : prefix[i];
        if (folded != wanted) return false;
    }
    return true;
}

// Lines end before CR LF or a lone LF; a NUL ends the text.
std::vector<std::string> linesOf(const char* text, size_t size)
{
    const size_t length = strnlen(text, size);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= length) {
        size_t end = start;
        while (end < length && text[end] != '\n') ++end;
        size_t lineEnd = end;
        if (end < length && lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        lines.emplace_back(text + start, lineEnd - start);
        if (end >= length) break;
        start = end + 1;
    }
    return lines;
}

const char* const ShortcutPrefix = "ショートカット ";

}  // namespace

std::optional<std::string> InternetShortcut::urlFromText(const char* text, size_t size)
{
    bool inSection = false;
    for (const std::string& line : linesOf(text, size)) {
        if (!inSection) {
            inSection = startsWithNoCase(line, "[InternetShortcut]");
            continue;
        }
        if (startsWithNoCase(line, "URL=")) return line.substr(4);
        if (!line.empty() && line[0] == '[') return std::nullopt;
    }
    return std::nullopt;
}

bool InternetShortcut::hasUrlExtension(const std::string& name)
{
    // The last four characters, not bytes: "表" ends in 0x5C and others in letters.
    std::vector<size_t> starts;
    for (size_t i = 0; i < name.size(); i += CodePage::charLength(name, i)) starts.push_back(i);
    if (starts.size() < 4) return false;
    const size_t first = starts[starts.size() - 4];
    return name.size() - first == 4 && startsWithNoCase(name.substr(first), ".URL");
}

std::string InternetShortcut::titleFromFileName(const std::string& name, bool fromNetscape)
{
    std::string title = hasUrlExtension(name) ? name.substr(0, name.size() - 4) : name;
    const size_t prefixLength = std::strlen(ShortcutPrefix);
    if (fromNetscape && title.compare(0, prefixLength, ShortcutPrefix) == 0) title.erase(0, prefixLength);
    return title;
}
