#pragma once
// The date texts items carry, "YYYY/MM/DD" in local time, as other programs'
// time stamps.

#include <cstdint>
#include <string>

class DateText {
public:
    // The local midnight that begins the day of `date`, in seconds since
    // 1970-01-01 UTC. False, leaving `seconds` alone, when `date` is not a
    // real day written as "%04d/%02d/%02d" or its midnight lies before 1970.
    static bool toLocalMidnight(const std::string& date, int64_t& seconds);
    // The local day of `seconds` since 1970-01-01 UTC as "%04d/%02d/%02d".
    // False, leaving `date` alone, when that day cannot be written so.
    static bool ofLocalSeconds(int64_t seconds, std::string& date);
};
