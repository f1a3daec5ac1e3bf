#pragma once
// The add-in while it is loaded: where its legacy ini file lies, the host's
// settings folder and the profiles. The exports call into the one instance.

#include "velmir/ProfileSet.h"

#include <windows.h>

#include <cstdint>
#include <string>

class CVelmirApp {
public:
    // At module start-up: the legacy ini file is named after the module and
    // lies beside it (Velmir.ini next to Velmir.dll).
    void attach(HINSTANCE module);
    // Takes a copy of the host's settings folder and loads the profiles from it.
    void init(const std::string& settingsFolder);
    // Writes the page of `stream` to `path` in the selected profile; true
    // when the whole page was written.
    bool makeHtml(const char* stream, uint32_t length, const std::string& path) const;
    // Runs the settings dialog on the selected profile; its "OK" saves velmir.xml.
    void openSettings(HWND owner);
    // The add-in's icon, shared: the host copies it and never destroys it.
    HICON icon() const;

private:
    HINSTANCE module_ = nullptr;
    std::string legacyIniPath_;
    ProfileSet profiles_;
};
