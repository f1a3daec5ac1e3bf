#pragma once
// The console companion of Ravlo: scripted access to books. Each command is a
// member function; run() picks one from the arguments.

#include <cstdio>
#include <string>
#include <vector>

class BookmarkItem;

class Rvltool {
public:
    enum ExitCode { Success = 0, Failure = 1, BadArguments = 2 };

    // Writes results to `out` and messages to `err`, both as UTF-8 bytes.
    Rvltool(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    // `args` are the arguments after the program name, in code page 932.
    int run(const std::vector<std::string>& args);

private:
    int dump(const std::string& book);
    int convert(const std::string& book, const std::string& output);
    int usage();

    // Reads a book in either stored form; tells why on `err` when it cannot.
    bool openBook(const std::string& path, BookmarkItem& root);
    void dumpItem(const BookmarkItem& item, int depth);
    // "rvltool: " + text (code page 932) + line break, on `err`.
    void report(const std::string& text);

    std::FILE* out_;
    std::FILE* err_;
};
