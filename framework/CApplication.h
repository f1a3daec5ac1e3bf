#pragma once
// The application object: the one instance that starts and ends the
// program. It runs the message loop (accelerators, idle-time update of
// command states), keeps the registry key and the recent-file list, owns the
// document template and handles new, open, the recent files and exit.

#include "framework/CCmdTarget.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CRecentFileList.h"
#include "framework/RegistryProfile.h"

#include <windows.h>

#include <memory>
#include <string>

class CDocTemplate;
class CDocument;
class CFrameWindow;

class CApplication : public CCmdTarget {
public:
    // The name is string IDS_APP_TITLE, else the program file's name.
    CApplication();
    ~CApplication() override;

    static CApplication* Instance();
    // A message box with the application's name as caption, owned by the main window.
    static int ShowMessage(const std::string& text, UINT type);

    // InitInstance, then the message loop until the main window closes,
    // then ExitInstance, whose result is returned.
    int Main(int showCommand);
    // False ends the program at once.
    virtual bool InitInstance();
    // The default writes the recent-file list; returns the exit code.
    virtual int ExitInstance();
    int Run();
    virtual void OnIdle();
    // The main frame's accelerators, then the keys of the open modeless
    // dialogs; true when `msg` was handled.
    virtual bool PreTranslateMessage(MSG& msg);

    const std::string& GetAppName() const { return appName_; }

    // The key becomes HKEY_CURRENT_USER\Software\<company>\<name>.
    void SetRegistryKey(const std::string& company);
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = std::string()) const;
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);
    int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const;
    bool DeleteProfileEntry(const std::string& section, const std::string& entry);

    // Reads the recent-file list of `count` entries; from then on it is
    // written back at exit.
    void LoadStdProfileSettings(size_t count = 4);
    CRecentFileList* GetRecentFileList() const { return recentFiles_.get(); }
    void AddToRecentFileList(const std::string& path);
    void UpdateRecentFileMenu(HMENU popup);

    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    // Destroys the template with its document and frame.
    void RemoveDocTemplate();
    CDocTemplate* GetDocTemplate() const { return template_.get(); }
    // Opens `path` (made absolute) in the document; the open document when
    // it is that file already. Null on failure.
    virtual CDocument* OpenDocumentFile(const std::string& path);
    CCommandLineInfo ParseCommandLine() const;
    // A new document or the named file; false when that failed or left no main window.
    bool ProcessShellCommand(const CCommandLineInfo& info);
    void OnFileNew();
    void OnFileOpen();
    void CloseAllDocuments();

    CFrameWindow* GetMainWindow() const { return mainWindow_; }
    void SetMainWindow(CFrameWindow* frame) { mainWindow_ = frame; }
    void OnMainWindowDestroyed();
    // How the first frame is shown; -1 once it has been taken.
    void SetInitialShowCommand(int showCommand) { initialShow_ = showCommand; }
    int TakeInitialShowCommand();

private:
    void OpenRecentFile(UINT id);
    void UpdateRecentFileCommand(CCmdUI& ui) const;
    void CloseMainWindow();

    std::string appName_;
    std::unique_ptr<RegistryProfile> profile_;
    std::unique_ptr<CRecentFileList> recentFiles_;
    std::unique_ptr<CDocTemplate> template_;
    CFrameWindow* mainWindow_ = nullptr;
    int initialShow_ = -1;
    bool loopRunning_ = false;
    int exitCode_ = 0;
};
