#include "app/CHtmlOptionPage.h"

#include "addin/HtmlOutputDlg.h"
#include "framework/UiServices.h"
#include "res/resource.h"

#include <vector>

CHtmlOptionPage::CHtmlOptionPage() : CPropertyPage(IDD_OPTION_HTML) {}

void CHtmlOptionPage::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_HTML_OUTPUT_PATH, outputFile);
    dx.Check(IDC_OPTION_OPEN_BROWSER, openBrowser);
}

bool CHtmlOptionPage::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_HTML_BROWSE && code == BN_CLICKED) {
        onBrowse();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CHtmlOptionPage::onBrowse()
{
    const std::string chosen = UiServices::ChooseFileToOpen(GetHwnd(), "html", HtmlOutputDlg::WebFileFilter);
    if (chosen.empty()) return;
    outputFile = chosen;
    UpdateData(false);
}
