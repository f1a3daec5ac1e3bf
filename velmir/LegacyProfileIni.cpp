#include "velmir/LegacyProfileIni.h"

#include "velmir/IniTextReader.h"

#include <algorithm>

const char* const LegacyProfileIni::ColorSection = "COLOR OPTION";
const char* const LegacyProfileIni::MessageSection = "MESSAGE OPTION";

namespace {

const char* const ListSection = "OPTION";

struct ColorKey {
    const char* singleName;    // key stem of the single-profile layout
    const char* profilesName;  // key stem of the several-profiles layout
    ColorSetting ColorProfile::*setting;
};

const ColorKey ColorKeys[] = {
    {"BG", "BG", &ColorProfile::BackGround},
    {"TEXT", "TEXT", &ColorProfile::Text},
    {"LINK", "LINK", &ColorProfile::Link},
    {"VLINK", "VLINK", &ColorProfile::VLink},
    {"ALINK", "ALINK", &ColorProfile::ALink},
    {"GROUP", "GROUP", &ColorProfile::Group},
    {"HIGH GROUP", "HIGH_GROUP", &ColorProfile::HighGroup},
};

}  // namespace

int LegacyProfileIni::selectedIndex() const
{
    return ini_.intOf(ListSection, "SELECT", -1);
}

ColorProfile LegacyProfileIni::singleProfile() const
{
    ColorProfile profile;
    profile.Name = "Default";
    readColors(profile, ColorSection, true);
    profile.FirstMessage = IniTextReader::read(ini_, MessageSection, "FIRST MESSAGE");
    return profile;
}

std::vector<ColorProfile> LegacyProfileIni::profiles() const
{
    const int count = std::min(ini_.intOf(ListSection, "COUNT", 1), MaxProfiles);
    std::vector<ColorProfile> list;
    for (int index = 0; index < count; ++index) list.push_back(profileAt(index));
    return list;
}

ColorProfile LegacyProfileIni::profileAt(int index) const
{
    const std::string section = std::string(ListSection) + "_" + std::to_string(index);
    ColorProfile profile;
    profile.Name = ini_.textOf(section, "NAME", "Default");
    readColors(profile, section, false);
    profile.FirstMessage = IniTextReader::read(ini_, section, "FIRST_MESSAGE");
    return profile;
}

void LegacyProfileIni::readColors(ColorProfile& profile, const std::string& section, bool singleLayout) const
{
    const char separator = singleLayout ? ' ' : '_';
    for (const ColorKey& key : ColorKeys) {
        const std::string stem = std::string(singleLayout ? key.singleName : key.profilesName) + separator;
        ColorSetting& setting = profile.*key.setting;
        setting.useDefault = ini_.intOf(section, stem + "DEFAULT", 1) != 0;
        setting.color = static_cast<uint32_t>(ini_.intOf(section, stem + "COLOR", 0));
    }
}
