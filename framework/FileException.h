#pragma once
#include <stdexcept>
#include <string>

// A file that cannot be opened, read or written.
class FileException : public std::runtime_error {
public:
    enum class Cause { Generic, FileNotFound, BadPath, AccessDenied, SharingViolation, DiskFull, EndOfFile };
    FileException(Cause cause, const std::string& path)
        : std::runtime_error("file error: " + path), cause_(cause), path_(path) {}
    Cause cause() const { return cause_; }
    const std::string& path() const { return path_; }

private:
    Cause cause_;
    std::string path_;
};
