#pragma once
// Waiting for the program: a condition is tested again and again until it
// holds or the time limit has passed. No step ever sleeps a fixed time and
// hopes that the program got there.

#include <windows.h>

#include <functional>
#include <string>

class ConditionWait {
public:
    static constexpr DWORD DefaultLimit = 20000;  // milliseconds

    // Returns once `condition` holds; throws a DriverError naming `what` when
    // `limit` milliseconds pass first.
    static void until(const std::wstring& what, const std::function<bool()>& condition, DWORD limit = DefaultLimit);
    // The first value that `produce` answers with other than null.
    template <class Produce>
    static auto forValue(const std::wstring& what, Produce produce, DWORD limit = DefaultLimit) -> decltype(produce())
    {
        decltype(produce()) value{};
        until(what, [&] { return (value = produce()) != decltype(value){}; }, limit);
        return value;
    }
};
