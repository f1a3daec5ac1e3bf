#pragma once
// The profiles as older releases kept them in Velmir.ini, in one of two
// layouts: a single profile in the sections "COLOR OPTION" and "MESSAGE
// OPTION", or several profiles listed in "OPTION", each in its own section.

#include "velmir/ColorProfile.h"
#include "platform/IniFile.h"

#include <vector>

class LegacyProfileIni {
public:
    explicit LegacyProfileIni(const IniFile& ini) : ini_(ini) {}

    // The selected index of the several-profiles layout; -1 in the single-profile one.
    int selectedIndex() const;
    // The single-profile layout's profile, named "Default".
    ColorProfile singleProfile() const;
    // The several-profiles layout's profiles in their order.
    std::vector<ColorProfile> profiles() const;

    // What the single-profile layout occupies, cleared once it is migrated.
    static const char* const ColorSection;
    static const char* const MessageSection;
    // More profiles than any release let the user make: a damaged count.
    static constexpr int MaxProfiles = 1000;

private:
    // The seven colours of a section; single-profile keys are "BG DEFAULT",
    // those of the other layout "BG_DEFAULT".
    void readColors(ColorProfile& profile, const std::string& section, bool singleLayout) const;
    ColorProfile profileAt(int index) const;

    const IniFile& ini_;
};
