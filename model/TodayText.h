#pragma once
// The local date as items store it: "YYYY/MM/DD".

#include <string>

std::string todayText();
