#pragma once
// Velmir's profiles and the selected one, kept in velmir.xml in the host's
// settings folder. Older releases kept them in an ini file beside the add-in;
// that file is migrated when velmir.xml cannot be read.

#include "velmir/ColorProfile.h"

#include <string>
#include <vector>

class IniFile;

class ProfileSet {
public:
    // One profile, "Default", all colours on the browser's default.
    ProfileSet();

    // From velmir.xml in the settings folder. When it cannot be read and
    // `legacy` exists, the profiles come from there and are saved at once;
    // otherwise there is one "Default" profile and nothing is written.
    // Afterwards there is at least one profile and `selected` is in range.
    void loadProfiles(IniFile* legacy);
    // Writes velmir.xml, replacing the file only by a completely written
    // one; false when that failed (the profiles in memory stay as they are).
    // A velmir.xml that cannot be read is kept as velmir.xml.broken first.
    bool saveProfiles() const;
    const ColorProfile& currentProfile() const { return profiles[static_cast<size_t>(selected)]; }
    ColorProfile& currentProfile() { return profiles[static_cast<size_t>(selected)]; }
    std::string settingsFile() const;

    std::vector<ColorProfile> profiles;
    int selected = 0;
    std::string settingsFolder;

private:
    void migrate(IniFile& legacy);
    void migrateSingleProfileIni(IniFile& legacy);
    // The page needs a profile: an empty list gets "Default" and selects it.
    void keepOneProfile();
    void bringSelectedIntoRange();
};
