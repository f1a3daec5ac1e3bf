#pragma once
// Writes and reads the settings-file DOM (options.xml, velmir.xml).

#include "xml/CMiniDOMNode.h"

#include <cstdio>
#include <string>

class CMiniDOMIO {
public:
    class CMiniDOMIOException {
    public:
        explicit CMiniDOMIOException(const std::string& message) : message(message) {}
        std::string message;
    };

    CMiniDOMIO() = default;
    ~CMiniDOMIO();
    CMiniDOMIO(const CMiniDOMIO&) = delete;
    CMiniDOMIO& operator=(const CMiniDOMIO&) = delete;

    bool Save(const std::string& path, const CMiniDOMNode& document);
    bool Load(const std::string& path, CMiniDOMNode& document);
    const std::string& lastError() const { return lastError_; }

    // Elements nested deeper than this are refused instead of overflowing the stack.
    static constexpr int MaxDepth = 1000;

private:
    std::string lastError_;
    std::FILE* input_ = nullptr;
    std::FILE* output_ = nullptr;
};
