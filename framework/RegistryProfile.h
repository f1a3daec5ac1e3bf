#pragma once
// Settings under one key of HKEY_CURRENT_USER, in sections (sub-keys) and
// entries (values). Texts are code page 932 and stored as REG_SZ.

#include <string>

class RegistryProfile {
public:
    // `keyPath` below HKEY_CURRENT_USER, for example "Software\\Tanvex\\Ravlo".
    explicit RegistryProfile(std::string keyPath);

    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& defaultValue = std::string()) const;
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value);
    // A REG_DWORD entry; `defaultValue` when absent or of another type.
    int GetInt(const std::string& section, const std::string& entry, int defaultValue) const;
    // Removes one entry; true when it is gone (also when it never existed).
    bool DeleteEntry(const std::string& section, const std::string& entry);

private:
    std::wstring SectionKey(const std::string& section) const;

    std::string keyPath_;
};
