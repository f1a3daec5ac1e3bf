#pragma once
// "編集": where items dropped on a group go. Treating URLs and URL groups
// as one type only means something while items are grouped by type, so
// that box is offered only then; while it is off the box shows unchecked,
// but its last value is remembered and comes back with it.

#include "framework/CPropertyPage.h"

class CEditOptionPage : public CPropertyPage {
public:
    CEditOptionPage();

    int sameItemType = 1;
    int addPosition = 0;   // 0 at the head, 1 at the end
    int sameUrlGroup = 1;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnKillActive() override;

private:
    // Brings the second box in step with the first.
    void followSameItemType();
    // The second box's check while it is offered.
    void rememberSameUrlGroup();
};
