#pragma once
// The real application for the Windows benchmarks: Ravlo with a book of the
// benchmark's choosing on its command line (none: a new book), its settings
// in a temporary folder while the object lives; the registry value naming
// the folder is put back afterwards.

#include "app/CRavloApp.h"
#include "framework/RegistryProfile.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"

#include <windows.h>

#include <chrono>
#include <string>

class BenchApp : public CRavloApp {
public:
    explicit BenchApp(std::wstring book) : book_(std::move(book)), profile_("Software\\Tanvex\\Ravlo")
    {
        previousFolder_ = profile_.GetString("Folder", "Setting");
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        const std::string folder = PathJoin::join(CodePage::fromWide(base), "ravlo-bench");
        CreateDirectoryW(CodePage::toWide(folder).c_str(), nullptr);
        profile_.WriteString("Folder", "Setting", folder);
    }
    ~BenchApp() override
    {
        if (previousFolder_.empty())
            profile_.DeleteEntry("Folder", "Setting");
        else
            profile_.WriteString("Folder", "Setting", previousFolder_);
    }
    BenchApp(const BenchApp&) = delete;
    BenchApp& operator=(const BenchApp&) = delete;

    // Handles every waiting message, then the idle update of the commands.
    void settle()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        OnIdle();
    }
    // Milliseconds from the start of `operation` until every message it
    // caused has been handled and the idle update is done.
    template <class Operation>
    double settledMs(Operation operation)
    {
        settle();
        const auto start = std::chrono::steady_clock::now();
        operation();
        settle();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

protected:
    CCommandLineInfo commandLine() const override
    {
        return book_.empty() ? CCommandLineInfo::FromArguments({}) : CCommandLineInfo::FromArguments({book_});
    }

private:
    std::wstring book_;
    RegistryProfile profile_;
    std::string previousFolder_;
};
