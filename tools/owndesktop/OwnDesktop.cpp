// own-desktop PROGRAM [ARGS...]: runs a program on a desktop of its own and
// answers with its exit code.
//
// The Windows tests run in parallel processes. On one shared desktop they
// take the foreground from each other, so a dialog that was given the focus
// loses it to another test's window at any moment. A desktop per test keeps
// foreground, focus and window searches inside the test.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const int launchFailure = 125;

// The command line after our own program name, exactly as it was given.
std::wstring programCommandLine()
{
    const wchar_t* rest = GetCommandLineW();
    if (*rest == L'"') {
        for (++rest; *rest != L'\0' && *rest != L'"'; ++rest) {
        }
        if (*rest == L'"') ++rest;
    } else {
        while (*rest != L'\0' && *rest != L' ' && *rest != L'\t') ++rest;
    }
    while (*rest == L' ' || *rest == L'\t') ++rest;
    return rest;
}

// A name no desktop has had before: Wine reuses process ids, and a desktop
// of an earlier run may still be closing down under the same id.
std::wstring freshDesktopName()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return L"ravlo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(now.QuadPart);
}

// Runs the program with `startup` and waits for it; the launch failure code
// when it could not start.
int runProgram(std::wstring commandLine, STARTUPINFOW& startup)
{
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        fprintf(stderr, "own-desktop: cannot start the program (error %lu)\n", GetLastError());
        return launchFailure;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = launchFailure;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

}  // namespace

int wmain()
{
    const std::wstring commandLine = programCommandLine();
    if (commandLine.empty()) {
        fputs("usage: own-desktop PROGRAM [ARGS...]\n", stderr);
        return launchFailure;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring desktopName = freshDesktopName();
    const HDESK desktop = CreateDesktopW(desktopName.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    // Without a desktop of its own the program still runs, only less apart.
    if (desktop != nullptr)
        startup.lpDesktop = desktopName.data();
    else
        fprintf(stderr, "own-desktop: no desktop of its own (error %lu), running on the shared one\n", GetLastError());
    const int exitCode = runProgram(commandLine, startup);
    if (desktop != nullptr) CloseDesktop(desktop);
    return exitCode;
}
