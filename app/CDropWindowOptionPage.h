#pragma once
// "ドロップウィンドウ": whether the drop window opens at start and where it appears.

#include "framework/CPropertyPage.h"

class CDropWindowOptionPage : public CPropertyPage {
public:
    CDropWindowOptionPage();

    int firstMode = 2;     // 0 show, 1 do not show, 2 as at the last end
    int openPosition = 1;  // 0 centre, 1 where it was last time

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
