#pragma once
// The driven program's process: started by the driver or handed over by the
// shell, with the top-level windows that belong to it.

#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/Control.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class RavloProcess {
public:
    // Starts the program that `commandLine` names first (quoted when it holds blanks).
    explicit RavloProcess(const std::wstring& commandLine);
    // Takes over a process handle (opened with full access).
    explicit RavloProcess(HANDLE process);
    ~RavloProcess();
    RavloProcess(const RavloProcess&) = delete;
    RavloProcess& operator=(const RavloProcess&) = delete;

    HANDLE handle() const { return process_; }
    // The visible top-level windows of the process, topmost first.
    std::vector<Control> windows() const;
    Control waitForWindow(const std::wstring& what, const std::function<bool(const Control&)>& wanted,
                          DWORD limit) const;
    // A visible dialog with exactly this title.
    Control waitForDialog(const std::wstring& title, DWORD limit = ConditionWait::DefaultLimit) const;
    // Waits for the end of the process and answers with its exit code.
    DWORD waitForExit(DWORD limit) const;
    // Ends a process that the run gave up on.
    void kill() const;

private:
    HANDLE process_;
    DWORD id_;
};
