#pragma once
#include <stdexcept>

// A stream that ends early or holds what cannot be a valid record.
class ArchiveException : public std::runtime_error {
public:
    enum class Cause { Generic, EndOfFile, BadFormat };
    ArchiveException(Cause cause, const char* what) : std::runtime_error(what), cause_(cause) {}
    Cause cause() const { return cause_; }

private:
    Cause cause_;
};
