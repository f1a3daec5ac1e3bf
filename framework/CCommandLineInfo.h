#pragma once
// The program's command line: at most one file to open. Arguments starting
// with "/" or "-" are switches, which the program has none of; they are
// skipped.

#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum class ShellCommand { FileNew, FileOpen };

    // The arguments after the program name.
    static CCommandLineInfo FromArguments(const std::vector<std::wstring>& arguments);
    // A whole command line as the system gives it, program name first.
    static CCommandLineInfo FromCommandLine(const wchar_t* commandLine);

    ShellCommand shellCommand = ShellCommand::FileNew;
    std::string fileName;  // code page 932; set with FileOpen
};
