#pragma once
// Where the registry remembers Ravlo's settings folder: entry "Setting" of
// section "Folder" under HKEY_CURRENT_USER\Software\Tanvex\Ravlo. The
// program reaches it through its application key; rvltool reads it directly.

struct SettingsFolderKey {
    static constexpr const char* Company = "Tanvex";
    static constexpr const char* ProgramKey = "Software\\Tanvex\\Ravlo";
    static constexpr const char* Section = "Folder";
    static constexpr const char* Entry = "Setting";
};
