#include "model/TodayText.h"

#include <cstdio>
#include <ctime>

std::string todayText()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return std::string();
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
    return text;
}
