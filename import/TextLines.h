#pragma once
// Walks a text line by line the way the importers read their files: a line
// ends at a line feed, and a carriage return just before it is not part of
// the line. A text ending in a line feed has no empty last line.

#include <string_view>

class TextLines {
public:
    explicit TextLines(std::string_view text) : rest_(text) {}

    // The next line; false at the end of the text.
    bool next(std::string_view& line);

    // White space inside a line: space, tab and the other C blanks.
    static bool isBlank(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

private:
    std::string_view rest_;
};
