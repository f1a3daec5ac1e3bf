#pragma once
// A text of any length that an ini file holds in numbered parts: the values
// of KEY_0, KEY_1, ... in one section, each ending in a marker byte that is
// not part of the text: "$" ends the text, "%" stands for a line feed, a
// backslash for a carriage return and line feed, anything else for nothing.

#include "platform/IniFile.h"

#include <string>

class IniTextReader {
public:
    static std::string read(const IniFile& ini, const std::string& section, const std::string& key);
};
