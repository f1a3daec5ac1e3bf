#include "tools/e2edriver/RavloProcess.h"

#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/DriverError.h"
#include "tools/e2edriver/WindowList.h"

namespace {

HANDLE startProcess(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        throw DriverError(L"cannot start " + commandLine + L" (error " + std::to_wstring(GetLastError()) + L")");
    CloseHandle(started.hThread);
    return started.hProcess;
}

}  // namespace

RavloProcess::RavloProcess(const std::wstring& commandLine) : RavloProcess(startProcess(commandLine))
{
}

RavloProcess::RavloProcess(HANDLE process) : process_(process), id_(GetProcessId(process)) {}

RavloProcess::~RavloProcess()
{
    CloseHandle(process_);
}

std::vector<Control> RavloProcess::windows() const
{
    std::vector<Control> found;
    for (HWND hwnd : WindowList::topLevel()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == id_ && IsWindowVisible(hwnd)) found.emplace_back(hwnd);
    }
    return found;
}

Control RavloProcess::waitForWindow(const std::wstring& what, const std::function<bool(const Control&)>& wanted,
                                    DWORD limit) const
{
    const HWND found = ConditionWait::forValue(
        what,
        [&]() -> HWND {
            for (const Control& window : windows())
                if (wanted(window)) return window.handle();
            return nullptr;
        },
        limit);
    return Control(found);
}

Control RavloProcess::waitForDialog(const std::wstring& title, DWORD limit) const
{
    return waitForWindow(
        L"the dialog \"" + title + L"\"",
        [&title](const Control& window) { return window.className() == L"#32770" && window.title() == title; },
        limit);
}

DWORD RavloProcess::waitForExit(DWORD limit) const
{
    if (WaitForSingleObject(process_, limit) != WAIT_OBJECT_0) throw DriverError(L"the program did not end");
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void RavloProcess::kill() const
{
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}
