#include "model/TodayText.h"

#include "model/DateText.h"

#include <ctime>

std::string todayText()
{
    std::string today;
    DateText::ofLocalSeconds(std::time(nullptr), today);
    return today;
}
