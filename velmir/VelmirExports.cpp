// The add-in interface: the plain functions the host looks up by name. No
// exception may cross into the host, so every export catches at this edge.

#include "velmir/CVelmirApp.h"

#include <windows.h>

#include <cstdint>

namespace {

CVelmirApp theApp;

const char* const Version = "Velmir ver 1.05";
const char* const Copyright = "Copyright (C) 2024 Tanvex";

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    try {
        theApp.attach(module);
    } catch (...) {
        // Without its ini path the add-in still works; it only migrates nothing.
    }
    return TRUE;
}

extern "C" __declspec(dllexport) int VLCanUse(int, int)
{
    return 1;
}

extern "C" __declspec(dllexport) const char* VLGetVersion()
{
    return Version;
}

extern "C" __declspec(dllexport) const char* VLGetCopyright()
{
    return Copyright;
}

extern "C" __declspec(dllexport) HICON VLGetIcon()
{
    return theApp.icon();
}

// Ready in every case: profiles that cannot be read are defaults.
extern "C" __declspec(dllexport) int VLInit(const char* settingsFolder)
{
    try {
        theApp.init(settingsFolder != nullptr ? settingsFolder : "");
    } catch (...) {
    }
    return 1;
}

extern "C" __declspec(dllexport) int VLMakeHtml(const char* stream, uint32_t length, const char* path)
{
    if (path == nullptr) return 0;
    try {
        return theApp.makeHtml(stream, length, path) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// The host's window that called is the dialog's owner.
extern "C" __declspec(dllexport) void VLOpenSettingDlg()
{
    try {
        theApp.openSettings(GetActiveWindow());
    } catch (...) {
    }
}
