#pragma once
// Letter case of the ASCII letters, the only case the program ignores (tag
// and attribute names, extensions, URL schemes and hosts, search words).
// Code page 932 text needs care: the second byte of a double-byte character
// can lie in the range of the ASCII letters, so only whole single-byte
// characters may change.

#include <string>
#include <string_view>

class AsciiCase {
public:
    static char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
    // Every byte lowered: for ASCII words, and for bytes whose code page is
    // not known yet that are only searched for ASCII words.
    static std::string loweredBytes(std::string_view bytes);
    // The letters among the single-byte characters of a 932 text lowered;
    // double-byte characters pass whole.
    static std::string lowered(const std::string& text932);
    // `lowerWord` is lower-case ASCII. No first byte of a double-byte
    // character equals an ASCII byte, so a text that holds one never matches.
    static bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord);
};
