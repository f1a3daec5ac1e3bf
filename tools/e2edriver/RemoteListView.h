#pragma once
// A report list of the driven program: its rows, their texts, selection and
// check boxes.

#include "tools/e2edriver/Control.h"

#include <windows.h>

#include <string>
#include <vector>

class RemoteListView {
public:
    RemoteListView(HANDLE process, Control list) : process_(process), list_(list) {}

    Control control() const { return list_; }
    int count() const;
    std::wstring text(int row, int column = 0) const;
    // The row showing `title` in its first column; -1 when none does.
    int rowOf(const std::wstring& title) const;
    // The first selected row; -1 when none is.
    int firstSelected() const;
    // Selects exactly `rows` and focuses the first, as clicks with Ctrl would.
    void select(const std::vector<int>& rows) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked) const;

private:
    void setState(int row, UINT state, UINT mask) const;

    HANDLE process_;
    Control list_;
};
