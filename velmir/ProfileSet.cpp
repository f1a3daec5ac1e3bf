#include "velmir/ProfileSet.h"

#include "platform/PathJoin.h"
#include "platform/IniFile.h"
#include "velmir/LegacyProfileIni.h"
#include "velmir/ProfilesXml.h"
#include "xml/CMiniDOMIO.h"

namespace {

ColorProfile defaultProfile()
{
    ColorProfile profile;
    profile.Name = "Default";
    return profile;
}

}  // namespace

ProfileSet::ProfileSet() : profiles{defaultProfile()} {}

void ProfileSet::loadProfiles(IniFile* legacy)
{
    CMiniDOMIO io;
    CMiniDOMNode document;
    const bool parsed = io.Load(settingsFile(), document);
    if (!parsed && legacy && legacy->exists()) {
        migrate(*legacy);
        return;
    }
    // What a broken file left half read is not used.
    const CMiniDOMNode empty;
    ProfilesXml::read(parsed ? document : empty, *this);
    keepOneProfile();
    bringSelectedIntoRange();
}

void ProfileSet::migrate(IniFile& legacy)
{
    const LegacyProfileIni ini(legacy);
    selected = ini.selectedIndex();
    if (selected == -1) {
        migrateSingleProfileIni(legacy);
        return;
    }
    profiles = ini.profiles();
    keepOneProfile();
    saveProfiles();
    bringSelectedIntoRange();
}

void ProfileSet::migrateSingleProfileIni(IniFile& legacy)
{
    selected = 0;
    profiles = {LegacyProfileIni(legacy).singleProfile()};
    // Until velmir.xml holds them, the ini sections are the only copy.
    if (!saveProfiles()) return;
    legacy.deleteSection(LegacyProfileIni::ColorSection);
    legacy.deleteSection(LegacyProfileIni::MessageSection);
}

bool ProfileSet::saveProfiles() const
{
    CMiniDOMNode document;
    ProfilesXml::write(*this, document);
    CMiniDOMIO io;
    return io.SaveKeepingUnreadable(settingsFile(), document);
}

std::string ProfileSet::settingsFile() const
{
    return PathJoin::join(settingsFolder, "velmir", "xml");
}

void ProfileSet::keepOneProfile()
{
    if (!profiles.empty()) return;
    profiles.push_back(defaultProfile());
    selected = 0;
}

void ProfileSet::bringSelectedIntoRange()
{
    if (selected < 0 || static_cast<size_t>(selected) >= profiles.size()) selected = 0;
}
