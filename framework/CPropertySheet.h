#pragma once
// A modal property sheet of pages owned by the caller. Pages are created
// when first shown; the ones never shown keep their members untouched. The
// Apply button is left out: the caller applies the members after OK.

#include "framework/CPropertyPage.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class CPropertySheet {
public:
    explicit CPropertySheet(std::string caption) : caption_(std::move(caption)) {}
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // Tabs appear in the order the pages were added; the first is shown first.
    void AddPage(CPropertyPage& page) { pages_.push_back(&page); }
    // IDOK or IDCANCEL; -1 when the sheet could not be created.
    INT_PTR DoModal(HWND owner);

private:
    std::string caption_;  // code page 932
    std::vector<CPropertyPage*> pages_;
};
