#pragma once
// The application: decides where the settings live (asking at the first
// start), loads the options, sets up the document template and opens the
// start-up book; at the end it saves the options. It finds the add-ins
// beside the program. It also answers help, the change of the settings
// folder and the about box.

#include "addin/AddinModule.h"
#include "app/AppOptions.h"
#include "framework/CApplication.h"

#include <memory>
#include <string>

class ItemTransfer;

class CRavloApp : public CApplication {
public:
    static const char* const CompanyName;  // "Tanvex"

    CRavloApp();
    ~CRavloApp() override;

    // The running application; null when there is none or it is another kind.
    static CRavloApp* Current();
    AppOptions& options() { return *options_; }
    // The add-ins found at start-up, in the order they were found.
    const AddinList& addins() const { return addins_; }

    // Loads every library named *.dll in the folder of `programPath` that is
    // an add-in and accepts the settings folder; the others are released.
    void discoverAddins(const std::string& programPath);

    bool InitInstance() override;
    int ExitInstance() override;

    // The settings folder as the registry remembers it; empty before the first choice.
    std::string storedSettingsFolder() const;

protected:
    // The command line of the process; tests give their own.
    virtual CCommandLineInfo commandLine() const;

private:
    // The folder from the registry, or the user's choice at the first start;
    // false when the user cancelled.
    bool determineSettingsFolder();
    bool askForSettingsFolder(std::string& folder);
    void registerDocTemplate();
    void openStartupBook(const CCommandLineInfo& info);
    void showMainWindow();
    void onHelpContents();
    void onChangeSettingsFolder();
    void onAppAbout();
    // Opens the backup the user picks as an untitled copy.
    void onRestoreBackup();

    // Destroyed last, after the options record.
    std::unique_ptr<ItemTransfer> itemTransfer_;
    std::unique_ptr<AppOptions> options_;
    // Released first, in the order they were found.
    AddinList addins_;
    bool oleInitialized_ = false;
};
