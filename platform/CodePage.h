#pragma once
// Code page 932 (Shift_JIS) is the program's text code page: books, streams and
// settings hold 932 bytes in std::string. Every conversion goes through here.

#include <string>

class CodePage {
public:
    static constexpr unsigned Japanese = 932;

    // First byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
    static bool isLeadByte(unsigned char byte);
    // Valid second byte of a double-byte character (0x40-0x7E, 0x80-0xFC).
    static bool isTrailByte(unsigned char byte);
    // Length of the character starting at text[index]: 2 for a lead byte followed
    // by a trail byte, otherwise 1 (a lone lead byte at the end counts as one byte).
    static size_t charLength(const std::string& text, size_t index);

    // 932 -> UTF-16 (wchar_t). Invalid sequences become U+30FB as on Windows.
    static std::wstring toWide(const std::string& text932);
    // UTF-16 -> 932. Characters 932 lacks become "?" (no best-fit guesses).
    static std::string fromWide(const std::wstring& wide);
    // UTF-8 -> 932. The UTF-8 twins of 932 characters (U+301C and friends) are
    // mapped first, so a 〜 from a web page survives as 932's 〜.
    static std::string fromUtf8(const std::string& utf8);
    // 932 -> UTF-8, for console output and logs.
    static std::string toUtf8(const std::string& text932);
};
