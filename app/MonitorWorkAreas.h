#pragma once
// The work areas (the screen less the task bar) of the monitors attached now.

#include "app/WindowPlacement.h"

#include <vector>

class MonitorWorkAreas {
public:
    static std::vector<ScreenRect> list();
};
