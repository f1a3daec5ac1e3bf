#pragma once
#include <stdexcept>
#include <string>

// A bad item record: carries the message shown to the user and a numeric code.
class SException : public std::runtime_error {
public:
    SException(const std::string& message, int code);
    const std::string& message() const { return message_; }
    int code() const { return code_; }

private:
    int code_;
    std::string message_;
};
