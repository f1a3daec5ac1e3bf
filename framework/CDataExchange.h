#pragma once
// Moves member values to a dialog's controls or back: edits as code page 932
// text, check boxes as 0/1 (2 for the third state), radio groups as the
// zero-based index of the checked button in dialog order (-1: none), combo
// boxes as the selected index (-1: none).

#include <windows.h>

#include <string>

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : dialog_(dialog), saving_(saveAndValidate) {}

    bool IsSaving() const { return saving_; }

    void Text(int id, std::string& value);
    void Check(int id, int& value);
    // `firstId` is the first button of the group (the one with WS_GROUP); the
    // group runs until the next control with WS_GROUP.
    void Radio(int firstId, int& index);
    void ComboIndex(int id, int& index);

private:
    HWND Control(int id) const;

    HWND dialog_;
    bool saving_;
};
