#pragma once
// The program's one options record, stored as options.xml in the settings folder.

#include <string>

class LegacyOptionsSource;

// Main-window state, start-up display and tray behaviour.
struct WindowInfo {
    std::string DockState;   // tool-bar docking layout as hexadecimal text
    int Restore = 1;
    int titleWidth = 0;
    int urlWidth = 0;
    int messageWidth = 0;
    int dateWidth = 0;
    int treeWidth = 0;
    int treeHeight = 0;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int TaskTray = 1;
    int MinimumIcon = 1;
    int MinimizedStart = 0;
    // Every saved size was read, the window rectangle is usable and Restore
    // is on: only then are they applied.
    int complete = 0;
};

struct AppOptions {
    WindowInfo windowInfo;
    int AddPosition = 0;      // 0 head, 1 end
    int SameItemType = 1;
    int SameUrlGroup = 1;
    std::string SelectedAddin;
    int PrevOpen = 0;
    int OpenPosition = 1;     // 0 centre, 1 as last time
    int FirstMode = 2;        // 0 show, 1 hide, 2 as at the last end
    std::string OutputFile;   // filled at load: defaultPage()
    int OpenBrowser = 1;
    std::string FirstFile;    // filled at load: defaultBook()
    std::string LastFile;
    int FirstOpen = 2;        // 0 new book, 1 FirstFile, 2 LastFile
    int WindowPositionX = 0;
    int WindowPositionY = 0;
    int UsePosition = 0;
    // Initialised by the XML path (file read or defaults): only then saved at exit.
    int loaded = 0;
    std::string settingsFolder;  // never stored in options.xml

    // Fills the record from options.xml in the settings folder. When that
    // file cannot be read and `legacy` has older options, takes those once
    // and writes options.xml at once instead (leaving `loaded` at 0).
    void LoadOptions(const LegacyOptionsSource* legacy = nullptr);
    // Writes the whole record to options.xml. The file is replaced only by a
    // completely written one; false when it was not. An options.xml that
    // cannot be read is kept as options.xml.broken first.
    bool SaveOptions() const;

    std::string optionsFile() const;
    // The book and the HTML page named Default in the settings folder.
    std::string defaultBook() const;
    std::string defaultPage() const;
};
