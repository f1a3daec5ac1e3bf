#pragma once
// The sheet's tab control: one tab per page, labelled with the page's
// caption, and the page of the selected tab shown in its display area.

#include <windows.h>

#include <vector>

class SettingsPage;

class PageTabCtrl {
public:
    // Before CreatePages; the page is not owned and must outlive the window.
    void AddPage(SettingsPage& page);
    // Puts the pages into `tab` in the order they were added and shows the first.
    void CreatePages(HWND tab);
    // Hides the shown page and shows page `index`, selecting its tab.
    void ShowPage(int index);
    // The user picked a tab.
    void OnSelChange();

    const std::vector<SettingsPage*>& Pages() const { return pages_; }
    int ShownIndex() const { return shown_; }

private:
    void insertPage(int index);
    bool isPage(int index) const;
    HWND pageWindow(int index) const;

    HWND tab_ = nullptr;
    std::vector<SettingsPage*> pages_;
    int shown_ = -1;
};
