#include "tools/e2edriver/ConditionWait.h"

#include "tools/e2edriver/DriverError.h"

namespace {

// How often a condition is tested: short against the program's reaction
// times, long enough to leave the two cores to the program.
constexpr DWORD PollInterval = 20;

}  // namespace

void ConditionWait::until(const std::wstring& what, const std::function<bool()>& condition, DWORD limit)
{
    const ULONGLONG deadline = GetTickCount64() + limit;
    while (!condition()) {
        if (GetTickCount64() >= deadline) throw DriverError(L"timed out waiting for " + what);
        Sleep(PollInterval);
    }
}
