#pragma once
// The real application under test: its own command line, the registry key
// of the program cleaned before and after, a settings folder of its own,
// scripted dialogs and a scripted notification area.

#include "FrameworkTestSupport.h"
#include "ModalDriver.h"
#include "app/AppOptions.h"
#include "app/CMainFrame.h"
#include "app/CRavloApp.h"
#include "app/CTrayIcon.h"
#include "framework/CDocTemplate.h"
#include "framework/RegistryProfile.h"
#include "model/CRavloDoc.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace apptest {

class TestRavloApp : public CRavloApp {
public:
    CCommandLineInfo info;

protected:
    CCommandLineInfo commandLine() const override { return info; }
};

// The notification area: accepts every icon and remembers the shown ones.
struct ScriptedTray {
    static std::map<UINT, NOTIFYICONDATAW>& shown()
    {
        static std::map<UINT, NOTIFYICONDATAW> icons;
        return icons;
    }
    static BOOL WINAPI notify(DWORD message, PNOTIFYICONDATAW data)
    {
        if (message == NIM_ADD) shown()[data->uID] = *data;
        if (message == NIM_DELETE) shown().erase(data->uID);
        return TRUE;
    }
};

// The window's place on the screen.
inline RECT windowRect(HWND hwnd)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

// The primary screen less the task bar.
inline RECT workArea()
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

inline std::wstring windowText(HWND hwnd)
{
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
}

class RavloAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tanvex");
        ScriptedTray::shown().clear();
        previousShell_ = CTrayIcon::shellNotify;
        CTrayIcon::shellNotify = ScriptedTray::notify;
        optionsFile = settings.File("options.xml");
    }
    void TearDown() override
    {
        app.reset();
        fwtest::pumpMessages();
        CTrayIcon::shellNotify = previousShell_;
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tanvex");
    }

    // The registry value that names the settings folder.
    static RegistryProfile profile() { return RegistryProfile("Software\\Tanvex\\Ravlo"); }
    void rememberSettingsFolder(const std::string& folder) { profile().WriteString("Folder", "Setting", folder); }

    // Writes options.xml in the test's settings folder after `change` set them.
    template <class Change>
    void writeOptions(Change change)
    {
        AppOptions options;
        options.settingsFolder = settings.Path();
        options.LoadOptions();
        change(options);
        ASSERT_TRUE(options.SaveOptions());
    }
    AppOptions savedOptions() const
    {
        AppOptions options;
        options.settingsFolder = settings.Path();
        options.LoadOptions();
        return options;
    }

    // Starts the program on the test's settings folder.
    bool start()
    {
        rememberSettingsFolder(settings.Path());
        return startAsIs();
    }
    bool startAsIs()
    {
        app = std::make_unique<TestRavloApp>();
        app->info = commandLine;
        return app->InitInstance();
    }

    CMainFrame* frame() const { return app ? static_cast<CMainFrame*>(app->GetMainWindow()) : nullptr; }
    CRavloDoc& document() const { return *static_cast<CRavloDoc*>(app->GetDocTemplate()->GetDocument()); }
    HWND frameWindow() const { return frame()->GetHwnd(); }

    fwtest::TempFolder settings;
    std::string optionsFile;
    fwtest::ScriptedUiServices ui;
    CCommandLineInfo commandLine;
    std::unique_ptr<TestRavloApp> app;

private:
    CTrayIcon::ShellNotify previousShell_ = nullptr;
};

}  // namespace apptest
