#pragma once
// The group tree of the driven program: its entries, their texts and the
// selection.

#include "tools/e2edriver/Control.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

class RemoteTreeView {
public:
    RemoteTreeView(HANDLE process, Control tree) : process_(process), tree_(tree) {}

    HTREEITEM root() const;
    std::wstring text(HTREEITEM entry) const;
    // The child of `parent` showing `title`; null when none does.
    HTREEITEM childOf(HTREEITEM parent, const std::wstring& title) const;
    // Selects the entry as a click does: the list then shows that group.
    void select(HTREEITEM entry) const;
    HTREEITEM selected() const;

private:
    HTREEITEM next(HTREEITEM entry, UINT relation) const;

    HANDLE process_;
    Control tree_;
};
