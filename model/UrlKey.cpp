#include "model/UrlKey.h"

#include "model/AsciiCase.h"
#include "platform/CodePage.h"

namespace {

struct DefaultPort {
    const char* scheme;
    const char* port;
};

const DefaultPort DefaultPorts[] = {{"http", "80"}, {"https", "443"}, {"ftp", "21"}, {"ws", "80"}, {"wss", "443"}};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSchemeCharacter(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Length of the scheme before its ":"; 0 when the URL does not begin with one.
size_t schemeLength(const std::string& url)
{
    if (url.empty() || !isAsciiLetter(url[0])) return 0;
    size_t end = 1;
    while (end < url.size() && isSchemeCharacter(url[end])) ++end;
    return end < url.size() && url[end] == ':' ? end : 0;
}

bool isDefaultPort(const std::string& scheme, const std::string& port)
{
    if (port.empty()) return true;  // "http://a.jp:/" names no other port
    for (const DefaultPort& entry : DefaultPorts)
        if (scheme == entry.scheme) return port == entry.port;
    return false;
}

// Position of the last `c` in `text` from `from` on, walking by character
// ("@" and "]" can be the second byte of a double-byte character); npos when none.
size_t lastCharacter(const std::string& text, char c, size_t from)
{
    size_t found = std::string::npos;
    for (size_t i = from; i < text.size(); i += CodePage::charLength(text, i))
        if (text[i] == c) found = i;
    return found;
}

// "user@host:port" with the host in lower case and a default port dropped.
std::string authorityKey(const std::string& scheme, const std::string& authority)
{
    const size_t at = lastCharacter(authority, '@', 0);
    const size_t hostStart = at == std::string::npos ? 0 : at + 1;
    // The port follows the last ":" after the host's name, outside an IPv6 literal's brackets.
    const size_t bracket = lastCharacter(authority, ']', hostStart);
    size_t colon = lastCharacter(authority, ':', bracket == std::string::npos ? hostStart : bracket);
    if (colon == std::string::npos) colon = authority.size();
    std::string key = authority.substr(0, hostStart) + AsciiCase::lowered(authority.substr(hostStart, colon - hostStart));
    if (colon < authority.size()) {
        const std::string port = authority.substr(colon + 1);
        if (!isDefaultPort(scheme, port)) key += ":" + port;
    }
    return key;
}

}  // namespace

std::string UrlKey::of(const std::string& url932)
{
    std::string url = url932;
    if (!url.empty() && url.back() == '#') url.pop_back();
    const size_t scheme = schemeLength(url);
    if (scheme == 0) return url;
    const std::string schemeKey = AsciiCase::lowered(url.substr(0, scheme));
    if (url.compare(scheme + 1, 2, "//") != 0) return schemeKey + url.substr(scheme);
    const size_t authorityStart = scheme + 3;
    size_t authorityEnd = url.find_first_of("/?#", authorityStart);
    if (authorityEnd == std::string::npos) authorityEnd = url.size();
    std::string rest = url.substr(authorityEnd);
    if (rest.empty() || rest[0] != '/') rest.insert(0, "/");
    return schemeKey + "://" +
           authorityKey(schemeKey, url.substr(authorityStart, authorityEnd - authorityStart)) + rest;
}
