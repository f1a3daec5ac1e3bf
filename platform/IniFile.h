#pragma once
// An ini file in which older releases kept their settings, as the
// migrations read it. Sections, keys and texts are code page 932.

#include <string>

class IniFile {
public:
    virtual ~IniFile() = default;
    virtual bool exists() const = 0;
    // The key's value read as an integer, or `fallback` when the key is missing.
    virtual int intOf(const std::string& section, const std::string& key, int fallback) const = 0;
    // The key's value, or `fallback` when the key is missing.
    virtual std::string textOf(const std::string& section, const std::string& key,
                               const std::string& fallback) const = 0;
    virtual void deleteSection(const std::string& section) = 0;
};
