// A stand-in add-in for the host's tests, built in several variants:
//   TEST_ADDIN_FULL     every export; VLMakeHtml copies the stream into the file
//   TEST_ADDIN_MINIMAL  only VLCanUse
//   TEST_ADDIN_REFUSING VLInit answers 0
//   TEST_ADDIN_NONE     no VLCanUse: an ordinary library
// TestCalls() tells the test what the host asked of it.

#include <windows.h>

#include <cstdio>
#include <cstring>

#define EXPORT extern "C" __declspec(dllexport)

namespace {

char calls[512] = "";

void note(const char* call)
{
    std::strncat(calls, call, sizeof calls - std::strlen(calls) - 1);
}

}  // namespace

EXPORT const char* TestCalls()
{
    return calls;
}

#ifndef TEST_ADDIN_NONE
EXPORT int VLCanUse(int, int)
{
    return 1;
}
#endif

#ifdef TEST_ADDIN_FULL
EXPORT const char* VLGetVersion()
{
    return "Test Addin 1.0";
}

EXPORT const char* VLGetCopyright()
{
    return "(C) Tester";
}

EXPORT int VLMakeHtml(const char* stream, unsigned length, const char* path)
{
    note("make;");
    std::FILE* file = path[0] != '\0' ? std::fopen(path, "wb") : nullptr;
    if (file == nullptr) return 0;
    const bool written = std::fwrite(stream, 1, length, file) == length;
    return std::fclose(file) == 0 && written ? 1 : 0;
}

EXPORT void VLOpenSettingDlg()
{
    note("settings;");
}

EXPORT HICON VLGetIcon()
{
    return nullptr;
}
#endif

#if defined(TEST_ADDIN_FULL) || defined(TEST_ADDIN_REFUSING)
EXPORT int VLInit(const char* folder)
{
    note("init:");
    note(folder);
    note(";");
#ifdef TEST_ADDIN_REFUSING
    return 0;
#else
    return 1;
#endif
}
#endif
