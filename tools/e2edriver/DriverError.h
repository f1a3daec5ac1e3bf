#pragma once
// What the driver throws when the program does not do what the run expects:
// the message says which step waited for what.

#include <stdexcept>
#include <string>

class DriverError : public std::runtime_error {
public:
    explicit DriverError(const std::wstring& message);

    // Text for the run's log: UTF-8, as the scripts read it.
    static std::string utf8(const std::wstring& text);
};
