#pragma once
// Internet Shortcut (.url) files as the shell and browsers hand them over:
// the URL inside such a file's text, and a bookmark title from a file name.
// Texts are code page 932.

#include <cstddef>
#include <optional>
#include <string>

class InternetShortcut {
public:
    // The value of the first "URL=" line after the "[InternetShortcut]" line
    // (both matched case-insensitively at the start of a line), untrimmed.
    // None when another section starts first or there is no such line. The
    // text ends at its size or at a NUL byte.
    static std::optional<std::string> urlFromText(const char* text, size_t size);
    // True when the last four characters are ".URL" in any letter case.
    static bool hasUrlExtension(const std::string& name);
    // The file name without a ".URL" extension and, for a link a Netscape
    // browser dragged out, without its "ショートカット " prefix.
    static std::string titleFromFileName(const std::string& name, bool fromNetscape);
};
