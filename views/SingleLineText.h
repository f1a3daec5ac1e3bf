#pragma once
// A text for one line of a list: each line break (CR LF, CR or LF) becomes a
// space, where the control would show a box glyph. Safe on code page 932
// bytes: neither CR nor LF can be the trail byte of a double-byte character.

#include <string>

std::string singleLineText(const std::string& text);
