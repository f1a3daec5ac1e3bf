#pragma once
// One end-to-end run of the packaged program, as a user would go through it:
// first start, a group and links, marks, an import, a find, a save, Velmir's
// settings, the web page of the marked links, the export, the end. Each step is one
// member function named in the table Steps (E2eFlow.cpp); a new step is a
// function and a line there.

#include "tools/e2edriver/Camera.h"
#include "tools/e2edriver/Control.h"
#include "tools/e2edriver/MainWindow.h"
#include "tools/e2edriver/RavloProcess.h"

#include <memory>
#include <string>
#include <vector>

struct FlowPaths {
    std::wstring program;     // Ravlo.exe
    std::wstring shots;       // the screenshot folder (see Camera)
    std::wstring importFile;  // a Netscape bookmark file
    std::wstring book;        // where the book is saved
    std::wstring page;        // where the web page is written
    std::wstring exportFile;  // where the book is exported
};

class E2eFlow {
public:
    explicit E2eFlow(FlowPaths paths);
    ~E2eFlow();

    // Runs the steps in order, reporting each; false after the first failure,
    // with the screen captured and the program ended.
    bool run();

private:
    struct Step {
        const wchar_t* name;
        void (E2eFlow::*run)();
    };
    static const Step Steps[];

    // The step's failure (UTF-8), empty when it went through.
    std::string runStep(const Step& step);

    void acceptSettingsFolder();
    void placeMainWindow();
    void createGroup();
    void createLinks();
    void editMarks();
    void importBookmarks();
    void findLink();
    void saveBook();
    void setUpVelmir();
    void writePage();
    void exportBook();
    void quit();

    Control openDialog(UINT command, const std::wstring& title) const;
    void confirm(const Control& dialog, const std::wstring& what) const;
    // Waits for the program's message box showing `text` and closes it.
    void confirmMessage(const std::wstring& text, const std::wstring& shot);
    void showImportedLinks();
    void markRows(const std::vector<int>& rows, const std::vector<int>& marks);
    void chooseFile(const std::wstring& path, const std::wstring& shot);
    void pruneImportedLinks(const Control& dialog);
    void pickHighGroupColour(const Control& sheet);
    void writeLeadingText(const Control& sheet);
    void giveUp();

    FlowPaths paths_;
    Camera camera_;
    std::unique_ptr<RavloProcess> ravlo_;
    std::unique_ptr<MainWindow> main_;
};
