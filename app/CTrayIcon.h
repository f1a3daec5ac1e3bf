#pragma once
// Icons in the notification area. Each icon's mouse notifications come back
// to the object that added it through OnTrayNotify. The object owns a hidden
// receiver window while it shows at least one icon.

#include <windows.h>
#include <shellapi.h>

#include <map>

class CTrayIcon {
public:
    using ShellNotify = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
    // The shell call; tests put a scripted shell here.
    static ShellNotify shellNotify;

    CTrayIcon() = default;
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Shows `icon`; returns its id (unique in the process), or 0 when refused.
    int AddIcon(HICON icon);
    // Removes an icon of this object; an id it does not show is ignored. Returns 1.
    int RemoveIcon(int id);
    void RemoveAllIcons();

protected:
    // Called with the icon id and the mouse message the shell reports.
    virtual void OnTrayNotify(UINT id, UINT mouseMessage);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void dispatch(UINT id, UINT mouseMessage);
    bool ensureWindow();
    void destroyWindowIfIdle();

    HWND window_ = nullptr;
    std::map<int, NOTIFYICONDATAW> icons_;
};
