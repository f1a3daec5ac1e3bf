#pragma once
// Finds the first link in an HTML fragment dropped from a browser. The text
// is code page 932 (converted from the fragment's UTF-8). The scan is strict
// about the few tag forms it understands: a tag it cannot read ends the
// scan, so a doubtful fragment yields nothing rather than a wrong link.

#include <optional>
#include <string>

struct HtmlLink {
    std::string title;  // the link text without its tags, up to the first control character
    std::string url;    // the href value with its character references decoded
};

class HtmlLinkScanner {
public:
    // The first <a href="..."> with its closing </a>; none when the first
    // link has no href or no closing tag, or a tag before it cannot be read.
    static std::optional<HtmlLink> firstLink(const std::string& html932);
};
