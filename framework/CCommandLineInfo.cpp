#include "framework/CCommandLineInfo.h"

#include "platform/CodePage.h"

#include <windows.h>
#include <shellapi.h>

CCommandLineInfo CCommandLineInfo::FromArguments(const std::vector<std::wstring>& arguments)
{
    CCommandLineInfo info;
    for (const std::wstring& argument : arguments) {
        const bool isSwitch = !argument.empty() && (argument[0] == L'/' || argument[0] == L'-');
        if (isSwitch || argument.empty() || info.shellCommand == ShellCommand::FileOpen) continue;
        info.shellCommand = ShellCommand::FileOpen;
        info.fileName = CodePage::fromWide(argument);
    }
    return info;
}

CCommandLineInfo CCommandLineInfo::FromCommandLine(const wchar_t* commandLine)
{
    int count = 0;
    LPWSTR* parts = CommandLineToArgvW(commandLine, &count);
    if (parts == nullptr) return CCommandLineInfo();
    std::vector<std::wstring> arguments(parts + (count > 0 ? 1 : 0), parts + count);
    LocalFree(parts);
    return FromArguments(arguments);
}
