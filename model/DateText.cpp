#include "model/DateText.h"

#include <cstdio>
#include <ctime>

namespace {

// The number written with `count` digits at `text[start]`; -1 when a
// character there is not a digit.
int digitsAt(const std::string& text, size_t start, size_t count)
{
    int value = 0;
    for (size_t i = start; i < start + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

bool DateText::toLocalMidnight(const std::string& date, int64_t& seconds)
{
    if (date.size() != 10 || date[4] != '/' || date[7] != '/') return false;
    const int year = digitsAt(date, 0, 4);
    const int month = digitsAt(date, 5, 2);
    const int day = digitsAt(date, 8, 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return false;
    std::tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_isdst = -1;  // whatever summer time says for that day
    const std::time_t midnight = std::mktime(&local);
    if (midnight == static_cast<std::time_t>(-1) || midnight < 0) return false;
    seconds = static_cast<int64_t>(midnight);
    return true;
}

bool DateText::ofLocalSeconds(int64_t seconds, std::string& date)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm converted{};
    // glibc's localtime reads the time zone file again at every call, which
    // would cost a file system lookup per imported link; localtime_r reads it once.
#ifdef _WIN32
    const std::tm* local = localtime_s(&converted, &time) == 0 ? &converted : nullptr;
#else
    const std::tm* local = localtime_r(&time, &converted);
#endif
    if (local == nullptr || local->tm_year + 1900 < 0 || local->tm_year + 1900 > 9999) return false;
    char buffer[48];  // room for any int, so the compiler sees no truncation
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
    date = buffer;
    return true;
}
