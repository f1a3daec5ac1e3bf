#include "tools/e2edriver/DriverError.h"

#include <windows.h>

DriverError::DriverError(const std::wstring& message) : std::runtime_error(utf8(message)) {}

std::string DriverError::utf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int wide = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &bytes[0], size, nullptr, nullptr);
    return bytes;
}
