#include "app/CDropWindowOptionPage.h"

#include "res/resource.h"

CDropWindowOptionPage::CDropWindowOptionPage() : CPropertyPage(IDD_OPTION_DROP_WINDOW) {}

void CDropWindowOptionPage::DoDataExchange(CDataExchange& dx)
{
    dx.Radio(IDC_OPTION_DROP_SHOW, firstMode);
    dx.Radio(IDC_OPTION_DROP_CENTER, openPosition);
}
