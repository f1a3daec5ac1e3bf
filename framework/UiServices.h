#pragma once
// Everything that blocks on the user or hands work to the shell goes through
// here: message boxes, file and folder dialogs, ShellExecute. The program
// uses the system's; tests install scripted ones and check what was asked.
// Texts and paths are code page 932.

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

struct FileDialogRequest {
    bool open = true;               // open form; otherwise the save form
    std::string title;              // empty: the system's own title
    std::string filter;             // "name|pattern|name|pattern||" as the program writes them
    std::string defaultExtension;   // without the dot
    std::string fileName;           // initial file name, may hold a folder
    std::string initialFolder;
    DWORD flags = 0;                // OFN_ flags on top of OFN_EXPLORER
};

class UiServices {
public:
    virtual ~UiServices() = default;

    // MessageBox: returns the button pressed (IDOK, IDYES, ...).
    virtual int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
    // The chosen full paths, in the dialog's order; empty when cancelled.
    // More than one only with OFN_ALLOWMULTISELECT.
    virtual std::vector<std::string> ChooseFiles(HWND owner, const FileDialogRequest& request) = 0;
    // The folder browser, admitting file-system folders only. True with
    // `chosen` set when the user picked one.
    virtual bool BrowseForFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                                 std::string& chosen) = 0;
    // ShellExecute shown normally, without parameters; an empty verb is the
    // file's default verb. True when the shell accepted the request.
    virtual bool OpenWithShell(HWND owner, const std::string& verb, const std::string& file,
                               const std::string& directory) = 0;

    static UiServices& Current();
    // The open form of the file dialog for one file of a type: the chosen
    // path, empty when cancelled. `flags` come on top of OFN_HIDEREADONLY.
    static std::string ChooseFileToOpen(HWND owner, const std::string& defaultExtension, const std::string& filter,
                                        DWORD flags = 0);
    // Installs `services` (not owned); null puts the system's back. Returns
    // the previously installed services, null for the system's.
    static UiServices* Install(UiServices* services);
};
