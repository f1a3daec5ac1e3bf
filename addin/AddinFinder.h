#pragma once
// Finds the add-ins in a folder: every library named *.dll there that is an
// add-in and accepts the settings folder. Ravlo looks beside itself at
// start-up; rvltool does the same for its html command.

#include "addin/AddinModule.h"

#include <string>

class AddinFinder {
public:
    // The add-ins of `folder`, in the order the file system lists them; the
    // libraries that are not add-ins or refuse the folder are released again.
    static AddinList discover(const std::string& folder, const std::string& settingsFolder);
};
