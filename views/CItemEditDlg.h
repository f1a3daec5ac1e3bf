#pragma once
// The item dialog: edits the title, URL, message, date, type and marks of one
// or several items. Fields whose values differ between the items start empty
// (or undecided), and OK writes back only the fields the user touched, so one
// change can be applied to many items without disturbing the rest.

#include "framework/CDialogBase.h"
#include "model/BookmarkItem.h"

#include <string>
#include <vector>

class CItemEditDlg : public CDialogBase {
public:
    CItemEditDlg();

    // The items edited, in the caller's order; not owned. At least one.
    std::vector<BookmarkItem*> items;
    // 1 starts with the caret in the message field; anything else is normal.
    int focusMode = 0;
    // The single item is a top-level group: it stays a plain group.
    bool topLevel = false;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;

private:
    std::vector<BookmarkItem*> nonSeparators() const;
    void takeCommonValues(const std::vector<BookmarkItem*>& editable);
    void disableItemFields();
    void showCommonMarks();
    void disableForbiddenTypes();
    void applyEnablingRule();
    void clearChangeFlags();
    void onTypeClicked();
    void onTodayClicked();
    void writeChangedFields();
    void writeMarks();
    void enable(int id, bool on);

    std::string url;
    std::string title;
    std::string message;
    std::string date;
    int typeIndex = -1;
    bool hasChildren = false;
    bool dateChanged = false;
    bool titleChanged = false;
    bool urlChanged = false;
    bool messageChanged = false;
    bool typeChanged = false;
};
