#include "tools/e2edriver/MainWindow.h"

#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/DriverError.h"

#include <commctrl.h>

namespace {

Control paneControl(const Control& frame, const wchar_t* className)
{
    const Control control = frame.descendantOfClass(className);
    if (!control.exists()) throw DriverError(L"the main window has no " + std::wstring(className));
    return control;
}

}  // namespace

MainWindow::MainWindow(const RavloProcess& process, const std::wstring& title, DWORD limit)
    : process_(process),
      frame_(process.waitForWindow(
          L"the main window \"" + title + L"\"",
          [&title](const Control& window) { return window.className() == L"RavloWindow" && window.title() == title; },
          limit)),
      tree_(paneControl(frame_, WC_TREEVIEWW)),
      list_(paneControl(frame_, WC_LISTVIEWW))
{
}

std::wstring MainWindow::titleFor(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1) + L" - Ravlo";
}

void MainWindow::activateTree() const
{
    activatePane(tree_);
}

void MainWindow::activateList() const
{
    activatePane(list_);
}

void MainWindow::activatePane(const Control& paneControl)
{
    // The view around the control takes the commands once a click activates it.
    const Control view(GetParent(paneControl.handle()));
    view.send(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(GetAncestor(view.handle(), GA_ROOT)),
              MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
}

void MainWindow::command(UINT id) const
{
    frame_.post(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void MainWindow::waitForTitle(const std::wstring& title) const
{
    ConditionWait::until(L"the main window's title \"" + title + L"\"", [&] { return frame_.title() == title; });
}
