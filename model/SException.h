#pragma once
#include <stdexcept>
#include <string>

// A bad item record: carries the message shown to the user and a numeric code.
class SException : public std::runtime_error {
public:
    SException(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
    const std::string& message() const;
    int code() const { return code_; }

private:
    int code_;
    mutable std::string message_;
};
