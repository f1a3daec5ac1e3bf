#include "tools/e2edriver/AssociationCheck.h"

#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/DriverError.h"
#include "tools/e2edriver/MainWindow.h"
#include "tools/e2edriver/RavloProcess.h"

#include <windows.h>

namespace {

constexpr DWORD StartLimit = 60000;

// The default value of a per-user class key; empty when there is none.
std::wstring classValue(const std::wstring& key)
{
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    const std::wstring path = L"Software\\Classes\\" + key;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::wstring();
    return value;
}

// The command line the association runs for `book`: its "%1" replaced by the path.
std::wstring openCommandFor(const std::wstring& book)
{
    const std::wstring type = classValue(L".rvl");
    std::wstring command = type.empty() ? type : classValue(type + L"\\shell\\open\\command");
    const size_t argument = command.find(L"%1");
    if (argument == std::wstring::npos) throw DriverError(L"no open command for .rvl books");
    return command.replace(argument, 2, book);
}

}  // namespace

AssociationCheck::AssociationCheck(std::wstring book, std::wstring firstTitle)
    : book_(std::move(book)), firstTitle_(std::move(firstTitle))
{
}

void AssociationCheck::run() const
{
    const RavloProcess ravlo(openCommandFor(book_));
    try {
        const MainWindow main(ravlo, MainWindow::titleFor(book_), StartLimit);
        const RemoteListView list = main.list();
        ConditionWait::until(L"the book's first link in the list",
                             [&] { return list.count() > 0 && list.text(0) == firstTitle_; });
        main.frame().post(WM_CLOSE);
        if (ravlo.waitForExit(ConditionWait::DefaultLimit) != 0) throw DriverError(L"Ravlo did not end cleanly");
    } catch (...) {
        ravlo.kill();
        throw;
    }
}
