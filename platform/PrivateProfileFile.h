#pragma once
// An ini file read and changed through the system's private-profile functions.

#include "platform/IniFile.h"

#include <string>

class PrivateProfileFile : public IniFile {
public:
    explicit PrivateProfileFile(const std::string& path);

    bool exists() const override;
    int intOf(const std::string& section, const std::string& key, int fallback) const override;
    std::string textOf(const std::string& section, const std::string& key,
                       const std::string& fallback) const override;
    void deleteSection(const std::string& section) override;

private:
    std::string path_;
    std::wstring widePath_;
};
