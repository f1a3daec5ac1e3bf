#pragma once
// What the program's shared code would show the user, for a console: a
// message becomes one line on the error stream, and nothing is ever asked.

#include "framework/UiServices.h"

#include <cstdio>

class ConsoleUiServices : public UiServices {
public:
    explicit ConsoleUiServices(std::FILE* err) : err_(err) {}

    // "rvltool: " and the text in UTF-8; answers OK.
    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
    std::vector<std::string> ChooseFiles(HWND owner, const FileDialogRequest& request) override;
    bool BrowseForFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                         std::string& chosen) override;
    bool OpenWithShell(HWND owner, const std::string& verb, const std::string& file,
                       const std::string& directory) override;

    // The same line for the tool's own messages (text in code page 932).
    static void report(std::FILE* err, const std::string& text932);

private:
    std::FILE* err_;
};
