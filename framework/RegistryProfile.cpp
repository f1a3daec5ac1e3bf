#include "framework/RegistryProfile.h"

#include "platform/CodePage.h"

#include <windows.h>

#include <utility>
#include <vector>

RegistryProfile::RegistryProfile(std::string keyPath) : keyPath_(std::move(keyPath)) {}

std::wstring RegistryProfile::SectionKey(const std::string& section) const
{
    return CodePage::toWide(keyPath_ + "\\" + section);
}

std::string RegistryProfile::GetString(const std::string& section, const std::string& entry,
                                       const std::string& defaultValue) const
{
    const std::wstring key = SectionKey(section);
    const std::wstring name = CodePage::toWide(entry);
    // The value may change size between the two calls: ask again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = 0;
        LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                      nullptr, &bytes);
        if (status != ERROR_SUCCESS) return defaultValue;
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                              buffer.data(), &bytes);
        if (status == ERROR_SUCCESS) return CodePage::fromWide(buffer.data());
        if (status != ERROR_MORE_DATA) return defaultValue;
    }
    return defaultValue;
}

bool RegistryProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring wide = CodePage::toWide(value);
    const LSTATUS status =
        RegSetValueExW(key, CodePage::toWide(entry).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

int RegistryProfile::GetInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), CodePage::toWide(entry).c_str(),
                     RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
        return defaultValue;
    return static_cast<int>(value);
}

bool RegistryProfile::DeleteEntry(const std::string& section, const std::string& entry)
{
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LSTATUS status = RegDeleteValueW(key, CodePage::toWide(entry).c_str());
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
