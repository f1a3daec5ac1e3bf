#include "import/ImportPaths.h"

#include "platform/CodePage.h"
#include "platform/PathJoin.h"

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `lowerCase` is ASCII; the first byte of a double-byte character never
// equals an ASCII byte, so comparing byte by byte cannot match half a kanji.
bool equalsIgnoringCase(const std::string& text, const char* lowerCase)
{
    const std::string expected(lowerCase);
    if (text.size() != expected.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (lowerAscii(text[i]) != expected[i]) return false;
    return true;
}

}  // namespace

ImportPaths::FileKind ImportPaths::kindOf(const std::string& path)
{
    const std::string extension = extensionOf(path);
    if (equalsIgnoringCase(extension, ".url")) return FileKind::InternetShortcut;
    if (equalsIgnoringCase(extension, ".adr")) return FileKind::Hotlist;
    if (equalsIgnoringCase(extension, ".html") || equalsIgnoringCase(extension, ".htm"))
        return FileKind::HtmlBookmarks;
    return FileKind::Other;
}

std::string ImportPaths::extensionOf(const std::string& path)
{
    size_t dot = std::string::npos;
    for (size_t i = 0; i < path.size(); i += CodePage::charLength(path, i)) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':')
            dot = std::string::npos;
        else if (c == '.')
            dot = i;
    }
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string ImportPaths::netscapeUsersFolder(const std::string& installDirectory)
{
    std::string folder = installDirectory;
    if (PathJoin::endsWithBackslash(folder)) folder.pop_back();
    return PathJoin::folderOf(folder) + "Users";
}
