#pragma once
// Writes and reads the settings-file DOM (options.xml, velmir.xml).

#include "xml/CMiniDOMNode.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

    // False without a message when the file cannot be opened; false with
    // lastError() when writing or reading fails.
    bool Save(const std::string& path, const CMiniDOMNode& document);
    // Save through a temporary file beside `path` that replaces it only when
    // completely written: a failed save leaves the old file as it was.
    bool SaveReplacing(const std::string& path, const CMiniDOMNode& document);
    // SaveReplacing, but a file at `path` that cannot be read as a document is
    // first moved to `path` + ".broken" (replacing an older one): after a
    // damaged byte it may be the only copy of what the user had set.
    bool SaveKeepingUnreadable(const std::string& path, const CMiniDOMNode& document);
    bool Load(const std::string& path, CMiniDOMNode& document);
    // Load over bytes already in memory, through the same reader.
    bool LoadFromMemory(const char* data, size_t size, CMiniDOMNode& document);
    const std::string& lastError() const { return lastError_; }

    // Elements nested deeper than this are refused instead of overflowing the stack.
    static constexpr int MaxDepth = 1000;

private:
    void writeDeclaration();
    void writeElement(const CMiniDOMNode& node);
    void writeTag(std::string_view opening, const std::string& name);
    void writeBytes(std::string_view bytes);
    void writeEscaped(std::string_view text);
    void closeOutput();

    bool readDocument(CMiniDOMNode& document);
    void readTopLevel(CMiniDOMNode& document);
    void readMarkup(CMiniDOMNode& parent);
    void skipProcessingInstruction();
    void readElement(CMiniDOMNode& parent);
    std::string readTagName();
    std::string readName();
    void readContent(CMiniDOMNode& node);
    char decodeEntity();
    void readByte();
    bool refill();
    void closeInput();

    std::string lastError_;
    std::FILE* input_ = nullptr;
    std::FILE* output_ = nullptr;

    // Reader state of one load: the unread bytes of the current chunk (or of
    // the memory image), the last byte read and the one-byte look-back.
    std::vector<char> chunk_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    char current_ = 0;
    bool pushedBack_ = false;
    bool atEnd_ = false;
    bool inputFailed_ = false;  // the file could not be read, whatever it holds
    int depth_ = 0;
};
