#include "views/SingleLineText.h"

std::string singleLineText(const std::string& text)
{
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // the LF stands for both
        line.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
    }
    return line;
}
