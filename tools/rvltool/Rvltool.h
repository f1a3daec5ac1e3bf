#pragma once
// The console companion of Ravlo: scripted access to books. Each command is a
// member function on the program's own code; run() picks one from the
// arguments. Whatever a command writes goes to a temporary file first, which
// replaces the output only when it is complete.

#include <cstdio>
#include <string>
#include <vector>

class BookmarkItem;
class ToolArguments;
struct CommandSpec;
struct MarkFilter;

class Rvltool {
public:
    enum ExitCode {
        Success = 0,
        Failure = 1,
        BadArguments = 2,
        NothingFound = 1,  // find and dupes: no item matched; their failures are 2
        SearchFailed = 2,
    };

    // Writes results to `out` and messages to `err`, both as UTF-8 bytes.
    Rvltool(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    // `args` are the arguments after the program name, in code page 932.
    int run(const std::vector<std::string>& args);

private:
    struct Command;
    static const Command Commands[];

    int dump(const ToolArguments& args);
    int convert(const ToolArguments& args);
    int import(const ToolArguments& args);
    int importTree(const ToolArguments& args);
    int html(const ToolArguments& args);
    int exportBook(const ToolArguments& args);
    int find(const ToolArguments& args);
    int dupes(const ToolArguments& args);

    int usage(std::FILE* stream, int exitCode);
    int commandUsage(const CommandSpec& spec);
    // Reads a book in either stored form; tells why on `err` when it cannot.
    // A foreign XML document reads as an empty book only where `foreignAllowed`.
    bool openBook(const std::string& path, BookmarkItem& root, bool foreignAllowed = true);
    // An existing book, or a new default one when there is no file at `path`.
    bool openOrCreateBook(const std::string& path, BookmarkItem& root);
    // Reads each file into the pairs; false after telling why when one cannot be read.
    bool readImportFiles(const std::vector<std::string>& files, bool utf8, std::vector<std::string>& titles,
                         std::vector<std::string>& urls);
    bool parseMarks(const std::string& list, MarkFilter& filter);
    void dumpItem(const BookmarkItem& item, int depth);
    // Text (UTF-8 bytes) on `out`.
    void print(const std::string& utf8);
    // "rvltool: " + text (code page 932) + line break, on `err`.
    void report(const std::string& text);

    std::FILE* out_;
    std::FILE* err_;
};
