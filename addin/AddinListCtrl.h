#pragma once
// The add-in list of the HTML output dialog, the add-in settings dialog and
// the about box: one row per add-in with its icon and name (and, in the
// about box, its copyright), selected by the name the options remember.

#include "addin/AddinModule.h"

#include <windows.h>
#include <commctrl.h>

struct AppOptions;

class AddinListCtrl {
public:
    explicit AddinListCtrl(const AddinList& addins) : addins_(addins) {}
    ~AddinListCtrl();
    AddinListCtrl(const AddinListCtrl&) = delete;
    AddinListCtrl& operator=(const AddinListCtrl&) = delete;

    // Takes over the report list `list` of a dialog and fills it.
    void fillAddinList(HWND list, bool withCopyright);
    // Selects the row of the add-in the options name, else the first row.
    void selectCurrentAddin(const AppOptions& options) const;
    // The add-in of the selected row; null when none is selected.
    AddinModule* selectedAddin() const;
    // Remembers the selected add-in in the options and saves them at once.
    void storeSelectedAddin(AppOptions& options) const;

private:
    void addColumnAndImages();

    const AddinList& addins_;
    HWND list_ = nullptr;
    HIMAGELIST images_ = nullptr;  // the list shares it; destroyed here
};
