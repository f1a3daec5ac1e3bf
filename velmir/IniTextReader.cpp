#include "velmir/IniTextReader.h"

std::string IniTextReader::read(const IniFile& ini, const std::string& section, const std::string& key)
{
    std::string text;
    for (unsigned part = 0;; ++part) {
        const std::string value = ini.textOf(section, key + "_" + std::to_string(part), std::string());
        if (value.empty()) return text;
        const char marker = value.back();
        text.append(value, 0, value.size() - 1);
        if (marker == '%') text += "\n";
        if (marker == '\\') text += "\r\n";
        if (marker == '$') return text;
    }
}
