#pragma once
// Code page 932 (Shift_JIS as Windows defines it) is the program's text code
// page: books, streams and settings hold 932 bytes in std::string. Every
// conversion goes through here and names 932 itself, so the results do not
// depend on the machine's ANSI code page. Both builds give the same results.
//
// Wide strings are UTF-16 on Windows and UTF-32 elsewhere (wchar_t's width).

#include <cstddef>
#include <string>
#include <string_view>

class CodePage {
public:
    static constexpr unsigned Japanese = 932;

    // First byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
    static bool isLeadByte(unsigned char byte);
    // Valid second byte of a double-byte character (0x40-0x7E, 0x80-0xFC).
    // It can be 0x5C, so a backslash found in raw bytes may belong to a kanji.
    static bool isTrailByte(unsigned char byte);
    // Length of the character starting at text[index]: 2 for a lead byte followed
    // by a trail byte, otherwise 1 (a lone lead byte at the end counts as one
    // byte); 0 when index is at or past the end.
    static std::size_t charLength(std::string_view text, std::size_t index);

    // 932 -> wide. As on Windows, a lead byte swallows the byte after it (unless
    // that is a NUL) and an unmapped pair or a lone lead byte becomes U+30FB.
    static std::wstring toWide(const std::string& text932);
    // Wide -> 932. Each character 932 lacks becomes one "?" (no best-fit
    // guesses such as e for é; a lone surrogate counts as a character).
    static std::string fromWide(const std::wstring& wide);
    // UTF-8 -> 932. The UTF-8 twins of 932 characters (U+301C and friends) are
    // mapped first, so a 〜 from a web page survives as 932's 〜. Each invalid
    // UTF-8 sequence (its longest valid-looking start) becomes one "?".
    static std::string fromUtf8(const std::string& utf8);
    // One Unicode character -> 932, converted as fromUtf8 converts it.
    static std::string fromCodePoint(char32_t c);
    // 932 -> UTF-8, for console output and logs.
    static std::string toUtf8(const std::string& text932);
};
