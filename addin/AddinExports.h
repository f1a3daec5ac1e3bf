#pragma once
// The functions an add-in library exports, by the names it exports them
// under, and how a loaded library's export is found.

#include <windows.h>

#include <cstdint>

namespace AddinExports {

using CanUseFunction = int (*)(int, int);                 // VLCanUse
using TextFunction = const char* (*)();                   // VLGetVersion, VLGetCopyright
using MakeHtmlFunction = int (*)(const char* stream, uint32_t length, const char* path);  // VLMakeHtml
using OpenSettingsFunction = void (*)();                  // VLOpenSettingDlg
using IconFunction = HICON (*)();                         // VLGetIcon
using InitFunction = int (*)(const char* settingsFolder);  // VLInit

// The export `name` of `library` as a `Function`; null when it has none.
template <typename Function>
Function bind(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace AddinExports
