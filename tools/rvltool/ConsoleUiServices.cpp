#include "tools/rvltool/ConsoleUiServices.h"

#include "platform/CodePage.h"

int ConsoleUiServices::ShowMessage(HWND, const std::string& text, const std::string&, UINT)
{
    report(err_, text);
    return IDOK;
}

std::vector<std::string> ConsoleUiServices::ChooseFiles(HWND, const FileDialogRequest&)
{
    return {};
}

bool ConsoleUiServices::BrowseForFolder(HWND, const std::string&, const std::string&, std::string&)
{
    return false;
}

bool ConsoleUiServices::OpenWithShell(HWND, const std::string&, const std::string&, const std::string&)
{
    return false;
}

void ConsoleUiServices::report(std::FILE* err, const std::string& text932)
{
    const std::string line = "rvltool: " + CodePage::toUtf8(text932) + "\n";
    std::fwrite(line.data(), 1, line.size(), err);
}
