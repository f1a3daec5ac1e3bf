#pragma once
// Ravlo's main window: the frame with its menu commands, the group tree on
// the left and the item list on the right.

#include "tools/e2edriver/Control.h"
#include "tools/e2edriver/RavloProcess.h"
#include "tools/e2edriver/RemoteListView.h"
#include "tools/e2edriver/RemoteTreeView.h"

#include <string>

class MainWindow {
public:
    // Waits for the frame titled `title` ("NAME - Ravlo").
    MainWindow(const RavloProcess& process, const std::wstring& title, DWORD limit);

    // The title of the main window showing the book saved at `path`.
    static std::wstring titleFor(const std::wstring& path);

    Control frame() const { return frame_; }
    RemoteTreeView tree() const { return RemoteTreeView(process_.handle(), tree_); }
    RemoteListView list() const { return RemoteListView(process_.handle(), list_); }
    // Makes the pane the one that menu commands go to, as a click into it does.
    void activateTree() const;
    void activateList() const;
    // A menu command, posted: it may open a modal dialog.
    void command(UINT id) const;
    void waitForTitle(const std::wstring& title) const;

private:
    static void activatePane(const Control& paneControl);

    const RavloProcess& process_;
    Control frame_;
    Control tree_;
    Control list_;
};
